// A group box as the layout draws it: an etched frame whose top line runs through the middle of
// the caption, the caption at the top left, and no fill of its own, so the group's inside is the
// window's face colour. (Some styles shade the inside of a group box a tone darker.)
#pragma once

#include <QGroupBox>

namespace zorvane::ui {

class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace zorvane::ui
