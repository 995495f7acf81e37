// SPDX-License-Identifier: MIT
// zorvane-figures: writes the figure images and the review sheet, and proves each puzzle.
//   --out DIR     write N.gif and N@2x.gif for every picture box
//   --sheet FILE  write the contact sheet (PNG)
//   --check       run the checker and the option-only heuristics; exit 1 if any puzzle fails
#include "assets.h"
#include "catalogue.h"
#include "checker.h"
#include "difficulty.h"
#include "drawing.h"
#include "family.h"

#include <QString>
#include <algorithm>
#include <cstring>
#include <exception>
#include <iostream>

namespace {

void printDifficulties() {
    std::cout << "question  rules in model  rules needed  changing  nearest decoy  effort  score  "
                 "rank in group\n";
    const auto& all = fig::puzzles();
    for (const fig::Puzzle& p : all) {
        const int q = p.definition.question;
        const fig::Difficulty d = fig::difficulty(p);
        int rank = 1;
        for (const fig::Puzzle& other : all)
            if (fig::groupOf(other.definition.question) == fig::groupOf(q) &&
                fig::difficulty(other).score() < d.score())
                ++rank;
        std::cout << "Q" << q << "\t" << d.components << "\t" << d.needed << "\t" << d.changing
                  << "\t" << d.nearestDecoy << "\t" << d.effort << "\t" << d.score() << "\t" << rank
                  << "\n";
    }
}

bool checkAll() {
    bool ok = true;
    for (const fig::Puzzle& p : fig::puzzles()) {
        const fig::Definition& d = p.definition;
        const fig::Verdict v = fig::solve(p.board);
        const std::vector<std::string> faults = fig::gateFaults(p, v);
        std::cout << "Q" << d.question << " key " << d.key << (faults.empty() ? " ok" : " FAILS")
                  << "  -- " << d.rationale << "\n";
        for (const fig::Finding& f : v.findings)
            std::cout << "    " << f.answer << "  " << f.reason << "\n";
        for (const fig::Guess& g : fig::guessFromOptions(p.board))
            std::cout << "    heuristic " << g.heuristic << ": "
                      << (g.answer.empty() ? std::string("undecided") : g.answer) << "\n";
        for (const std::string& f : faults)
            std::cout << "    FAULT: " << f << "\n";
        ok = ok && faults.empty();
    }
    for (int picture = 1; picture <= fig::kPictureCount; ++picture) {
        const fig::Puzzle& p = fig::puzzles().at(std::size_t(fig::questionOfPicture(picture) - 9));
        std::vector<std::string> faults = fig::drawingFaults(p, picture % 2 == 0);
        const fig::Box box = fig::boxOf(picture);
        if (box.stretched)
            for (const std::string& f :
                 fig::stretchFaults(fig::pictureImage(picture, 1), box.width, box.height))
                faults.push_back("stretched: " + f);
        for (const std::string& f : faults)
            std::cout << "picture " << picture << ": " << f << "\n";
        ok = ok && faults.empty();
    }
    for (const std::string& f : fig::seriesFamilyFaults(fig::catalogue())) {
        std::cout << "series: " << f << "\n";
        ok = false;
    }
    printDifficulties();
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
