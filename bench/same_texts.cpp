// Not a floor but a reference: the texts the window shows at start-up (tab captions, group box
// titles, labels, button captions, status boxes), in the program's faces and at their places,
// drawn by one widget with no controls, style or pictures. What this costs over the floor, no
// program that shows the same window can avoid; what the program costs over this is its own.
#include "layout/layout.h"
#include "ui/fonts.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>
#include <QWidget>

using namespace Qt::StringLiterals;
using namespace zorvane;

namespace {

class Texts : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        const Layout& layout = main_window_layout();
        QPainter painter(this);
        // The tab captions in rows along the top of the tab control.
        const ControlEntry& tab = layout.controls[layout.tab_control()];
        painter.setFont(ui::font_for(tab.font));
        int x = tab.box.left + 4, y = tab.box.top + 14;
        for (const QString& caption : layout.page_captions) {
            const int width = painter.fontMetrics().horizontalAdvance(caption) + 8;
            if (x + width > tab.box.left + tab.box.width) {
                x = tab.box.left + 4;
                y += 18;
            }
            painter.drawText(x, y, caption);
            x += width;
        }
        for (std::size_t i = 1; i < layout.controls.size(); ++i) {
            const ControlEntry& entry = layout.controls[i];
            if (entry.text.isEmpty() || !entry.visible || entry.page > 0 ||
                entry.kind == Kind::Timer || entry.kind == Kind::TabControl)
                continue;
            if (entry.page == 0 && entry.name != u"标签4"_s) // covered by the welcome label
                continue;
            QPoint at(entry.box.left, entry.box.top);
            for (int p = entry.page >= 0 ? layout.tab_control() : entry.parent; p > 0;
                 p = layout.controls[p].parent)
                at += QPoint(layout.controls[p].box.left, layout.controls[p].box.top);
            QString text = entry.text;
            text.replace(u"\r\n"_s, u"\n"_s);
            QTextLayout lines(text, ui::font_for(entry.font));
            QTextOption option;
            option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
            lines.setTextOption(option);
            lines.beginLayout();
            qreal top = 0;
            for (QTextLine line = lines.createLine(); line.isValid(); line = lines.createLine()) {
                line.setLineWidth(entry.box.width);
                line.setPosition(QPointF(0, top));
                top += line.height();
            }
            lines.endLayout();
            lines.draw(&painter, at);
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    ui::install_font_substitutions();
    QApplication app(argc, argv);
    ui::apply_default_gui_font();
    Texts window;
    window.setWindowTitle(u"same texts"_s);
    window.setFixedSize(window_width, window_height);
    window.show();
    return QApplication::exec();
}
