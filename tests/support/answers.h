// Fills every answer control of a form with the keyed answer: a full-marks test.
#pragma once

#include "forms/form.h"
#include "scoring/scoring.h"

inline void answer_all_keyed(zorvane::Form& form) {
    using namespace zorvane;
    for (const KeyRow& row : answer_key()) {
        switch (row.kind) {
        case AnswerKind::Text:
            form.set_text(form[answer_control(row.question)],
                          QString::fromStdU16String(std::u16string(row.literals[0])));
            break;
        case AnswerKind::Radio:
            form.set_checked(form[answer_control(row.question, row.options[0])], true);
            break;
        case AnswerKind::CheckPair:
            for (int option : row.options)
                form.set_checked(form[answer_control(row.question, option)], true);
            break;
        }
    }
}
