// The floor the program is measured against: one 640 × 434 window with one Chinese label, the
// same fonts and the same timing marks, and nothing else.
#include "app/bench_stamps.h"

#include <QApplication>
#include <QFont>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QFont::insertSubstitutions(u"宋体"_s, {u"AR PL UMing CN"_s, u"Noto Serif CJK SC"_s});
    QApplication app(argc, argv);
    QFont font(u"宋体"_s);
    font.setPixelSize(12);
    QApplication::setFont(font);
    zorvane::app::install_bench_stamps_from_environment();

    QWidget window;
    window.setWindowTitle(u"bare window"_s);
    window.setFixedSize(640, 434);
    auto* label = new QLabel(u"欢迎参加智力测试"_s, &window);
    label->setObjectName(u"label"_s);
    label->move(40, 40);
    window.show();
    return QApplication::exec();
}
