// Vocabulary shared by the layout, the form services and the logic.
#pragma once

#include <cstdint>

namespace zorvane {

enum class Kind : std::uint8_t {
    Window,
    EditBox,
    Label,
    Button,
    CheckBox,
    RadioButton,
    TabControl,
    Timer,
    PictureBox,
    GroupBox,
};

// The seven events that the window binds to the test controller.
enum class Event : std::uint8_t {
    None,
    StartTest,
    PreviousQuestion,
    NextQuestion,
    EndTest,
    Help,
    CountdownTick,
    InstructionTick,
};

constexpr bool can_take_focus(Kind kind) {
    return kind == Kind::EditBox || kind == Kind::Button || kind == Kind::CheckBox ||
           kind == Kind::RadioButton;
}

} // namespace zorvane
