#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

namespace zorvane::ui {

namespace {

// The installed face that stands for a layout face: the first of its substitutes that is
// installed. A font asked for by a substituted name carries the substitutes as fallbacks, and
// the font database then has fontconfig sort every installed font for each such face (about a
// third of the start-up's font work); a face asked for by its own name needs no such search.
// QFontDatabase::hasFamily would have fontconfig resolve aliases for every name asked about,
// which costs more than the search it spares: the list of installed families is read once.
QString installed_face(const QString& layout_face) {
    static const QStringList installed = QFontDatabase::families();
    for (const QString& face : QFont::substitutes(layout_face)) // lower case
        for (const QString& family : installed)
            if (family.compare(face, Qt::CaseInsensitive) == 0)
                return family;
    return layout_face;
}

} // namespace

void install_font_substitutions() {
    QFont::insertSubstitutions(
        u"宋体"_s, {u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s, u"Noto Sans CJK SC"_s});
    QFont::insertSubstitutions(u"楷体_GB2312"_s,
                               {u"AR PL UKai CN"_s, u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s});
    QFont::insertSubstitutions(u"Arial"_s, {u"Liberation Sans"_s, u"DejaVu Sans"_s});
}

void apply_default_gui_font() {
    // The desktop's default GUI font for this layout is 宋体 at 12 px: the series label's lines
    // must keep the 12-pixel pitch that lines them up with the answer boxes.
    QFont font(installed_face(u"宋体"_s));
    font.setPixelSize(12);
    font.setWeight(QFont::Normal);
    QApplication::setFont(font);
}

QFont font_for(FontRole role) {
    // Every property is set explicitly, so a control never inherits its container's face (the
    // tab control's 宋体 must not reach the pages).
    QFont font = QApplication::font();
    font.setFamilies(font.families().isEmpty() ? QStringList{font.family()} : font.families());
    if (font.pixelSize() > 0)
        font.setPixelSize(font.pixelSize());
    else
        font.setPointSizeF(font.pointSizeF());
    switch (role) {
    case FontRole::Default:
        font.setWeight(QFont::Normal);
        return font;
    case FontRole::Welcome:
        font.setFamily(installed_face(u"楷体_GB2312"_s));
        font.setPixelSize(24);
        break;
    case FontRole::Instruction:
        font.setFamily(installed_face(u"宋体"_s));
        font.setPixelSize(12);
        break;
    case FontRole::Digits:
        font.setFamily(installed_face(u"Arial"_s));
        font.setPixelSize(12);
        break;
    }
    font.setWeight(QFont::Normal);
    return font;
}

} // namespace zorvane::ui
