// SPDX-License-Identifier: GPL-3.0-or-later
// zorvane-figures: writes the figure images and the review sheet, and proves each puzzle.
//   --out DIR     write N.gif and N@2x.gif for every picture box
//   --sheet FILE  write the contact sheet (PNG)
//   --check       run the checker and the option-only heuristics; exit 1 if any puzzle fails
#include "assets.h"
#include "catalogue.h"
#include "checker.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>

namespace {

bool checkAll() {
    bool ok = true;
    for (const fig::Puzzle& p : fig::puzzles()) {
        const fig::Definition& d = p.definition;
        const fig::Verdict v = fig::solve(p.board);
        std::string key = d.key;
        std::sort(key.begin(), key.end());
        const bool sound = v.answers.size() == 1 && *v.answers.begin() == key;
        std::cout << "Q" << d.question << " key " << d.key << (sound ? " ok" : " FAILS") << "  -- "
                  << d.rationale << "\n";
        for (const fig::Finding& f : v.findings)
            std::cout << "    " << f.answer << "  " << f.reason << "\n";
        for (const fig::Guess& g : fig::guessFromOptions(p.board)) {
            const bool leaks = g.answer == key;
            std::cout << "    heuristic " << g.heuristic << ": "
                      << (g.answer.empty() ? std::string("undecided") : g.answer)
                      << (leaks ? "  LEAKS THE KEY" : "") << "\n";
            ok = ok && !leaks;
        }
        ok = ok && sound;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    try {
        bool ok = true;
        for (int i = 1; i < argc; ++i) {
            if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
                const int n = fig::writePictures(argv[++i]);
                std::cout << "wrote " << n << " images\n";
            } else if (!std::strcmp(argv[i], "--sheet") && i + 1 < argc) {
                const QString path = QString::fromLocal8Bit(argv[++i]);
                if (!fig::contactSheet().save(path, "PNG")) {
                    std::cerr << "cannot write " << path.toStdString() << "\n";
                    return 2;
                }
            } else if (!std::strcmp(argv[i], "--check")) {
                ok = checkAll() && ok;
            } else {
                std::cerr << "usage: zorvane-figures [--out DIR] [--sheet FILE] [--check]\n";
                return 2;
            }
        }
        return ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "zorvane-figures: " << e.what() << "\n";
        return 2;
    }
}
