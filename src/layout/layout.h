// The main window as data: every control with its container, box, caption, start-up state,
// tag and bound event. Both form services (in memory and Qt) are built from this one table.
#pragma once

#include "kinds.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace zorvane {

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

enum class FontRole : std::uint8_t { Default, Welcome, Instruction, Digits };

enum class TextAlign : std::uint8_t { Left, Centre };

// How an edit box is drawn: the status boxes are white, the answer boxes button-face grey.
enum class EditLook : std::uint8_t { White, ButtonFace };

struct ControlEntry {
    QString name;
    Kind kind = Kind::Label;
    int parent = -1; // index of the container in the table; -1 only for the window
    int page = -1;   // page of the tab control that holds the control, -1 when none
    Box box;         // relative to the container; page members relative to the tab control
    QString text;    // caption, or the initial text of an edit box
    bool visible = true;
    bool enabled = true;
    bool tab_stop = false;
    int focus_order = 0;
    QString tag;
    Event event = Event::None;
    FontRole font = FontRole::Default;
    TextAlign align = TextAlign::Left;
    bool wrap = false;
    EditLook edit_look = EditLook::White;
    int image = 0;            // picture boxes: the figure number
    bool stretch = false;     // picture box scales its image to the box
    bool sunken_edge = false; // picture box draws a 1-px sunken edge inside its box
    QString accessible_name;
    QString accessible_description;
};

struct Layout {
    std::vector<ControlEntry> controls; // layout order; [0] is the window
    QStringList page_captions;
    std::vector<std::vector<int>> page_members; // indices into controls, in page list order
    // The tab stops in the order Tab visits them: each page's members in reading order (rows
    // from the top, left to right in a row), then the tab stops outside the tab control.
    // Separate from the focus orders, which only choose the focus when a page is selected.
    std::vector<int> keyboard_order;

    int index_of(QStringView name) const; // -1 when absent
    int tab_control() const { return index_of(u"题目选择夹"); }
};

// The one layout of the program.
const Layout& main_window_layout();

inline constexpr int page_count = 26;
inline constexpr int window_width = 640;
inline constexpr int window_height = 434;
// The least client area that shows every control: the group boxes reach 624 x 392, and a thin
// margin keeps their frames clear of the window's edge.
inline constexpr int minimum_client_width = 628;
inline constexpr int minimum_client_height = 396;

} // namespace zorvane
