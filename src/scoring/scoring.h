// The answer key and the scorer: reads the answer controls, adds points, builds the result.
#pragma once

#include "forms/form.h"

#include <QString>
#include <array>
#include <span>
#include <string_view>

namespace zorvane {

enum class AnswerKind : std::uint8_t { Text, Radio, CheckPair };

struct KeyRow {
    int question;
    int points;
    AnswerKind kind;
    std::array<std::u16string_view, 2> literals{}; // Text: accepted answers, tried in order
    std::array<int, 2> options{};                  // Radio: option 0..3; CheckPair: two of 0..4
};

std::span<const KeyRow> answer_key();

inline constexpr int max_score = 174;

// The two paths that score a test; they differ only in the opening of the result message.
enum class Ending : std::uint8_t { EndTest, TimeOut };

// Names of the answer controls of a question.
QString answer_control(int question, int option = 0);

// Adds the points of every correct answer to score. Reads controls only.
void score_answers(Form& form, int& score);

QString result_message(Form& form, Ending ending, int score);

inline constexpr QStringView result_caption = u"测试成绩：";

void show_result(Form& form, const QString& text);

} // namespace zorvane
