// The floor the program is measured against: the least a Qt Widgets program does to show one line
// in the program's face, AR PL UMing CN at 12 px, in a 640 × 434 window. The face is asked for by
// its own name: a name with substitutes would have the font database sort every installed font
// first, work this floor must not carry. No timing marks: bench/run watches it from outside.
#include <QApplication>
#include <QFont>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QFont font(u"AR PL UMing CN"_s);
    font.setPixelSize(12);
    QApplication::setFont(font);

    QWidget window;
    window.setWindowTitle(u"bare window"_s);
    window.setFixedSize(640, 434);
    QLabel label(u"欢迎参加智力测试"_s, &window);
    label.move(40, 40);
    window.show();
    return QApplication::exec();
}
