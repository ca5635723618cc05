// One step of dragging a zero of a 300-tap FIR table with the response window
// open: the move (roots multiplied out, the cells written, the z-plane shown)
// and the message pass that follows (the response recomputed). Measured with
// the dragged zeros handed to the response, as the window does, against the
// response solving for the 299 zeros itself (as it did before), rounds
// alternating; and the eigenproblem alone.
// Run it under a display (xvfb-run) or with QT_QPA_PLATFORM=offscreen.
// Usage: drag_bench [rounds] [steps per round] (9 and 40 when not given).

#include "bench/bench_support.h"
#include "design/polynomial_roots.h"
#include "ui/SIGNOVA_Unit.h"
#include "ui/design_dialog.h"
#include "ui/filter_designer.h"
#include "ui/pole_zero_window.h"
#include "ui/response_window.h"
#include "ui/view_menus.h"

#include <QApplication>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Milliseconds per drag step, the zero moved back and forth along the circle.
double DragSteps(PoleZeroWindow& window, ResponseWindow& response, std::size_t zero, int steps,
                 bool solveAgain) {
    const double hz = 6000.0;
    const auto start = Clock::now();
    for (int step = 0; step < steps; ++step) {
        const double at = hz + (step % 2 == 0 ? 10.0 : -10.0);
        window.MoveRoot({signova::RootSet::Zeros, zero},
                        std::polar(1.0, 2 * std::numbers::pi * at / 48000));
        if (solveAgain)
            response.TakeKnownZeros({}, {});
        QCoreApplication::processEvents();
    }
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / steps;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int rounds = arguments.size() > 1 ? std::max(1, arguments[1].toInt()) : 9;
    const int steps = arguments.size() > 2 ? std::max(1, arguments[2].toInt()) : 40;

    signova::bench::NoDialogs dialogs(signova::DialogResult::Yes);
    TForm1 form(dialogs);
    form.findChild<QTabWidget*>("DSPcontrol")->setCurrentIndex(3);
    form.show();
    form.Designer().ShowDialog(signova::FilterKind::Fir);
    DesignDialog& design = *form.Designer().Dialog(signova::FilterKind::Fir);
    design.findChild<QSpinBox*>("DesignSize")->setValue(300);
    form.Designer().Apply(signova::FilterKind::Fir);
    design.close();
    form.Views().ShowResponse(signova::FilterKind::Fir);
    form.PolesAndZeros().ShowTable(signova::FilterKind::Fir);
    PoleZeroWindow& window = *form.PolesAndZeros().Window();
    ResponseWindow& response = *form.Views().Response();
    QCoreApplication::processEvents();

    const auto& zeros = window.Roots().zeros.roots;
    std::size_t upper = 0;
    while (upper < zeros.size() && !(zeros[upper].imag() > 0.1))
        ++upper;
    std::printf("300-tap low-pass, %zu zeros; response window and pole-zero window open\n",
                zeros.size());
    const int searchesBefore = response.RootSearches();
    std::vector<double> known;
    std::vector<double> solved;
    for (int round = 1; round <= rounds; ++round) {
        double knownMs = 0;
        double solvedMs = 0;
        for (const bool solve : {round % 2 == 0, round % 2 != 0})
            (solve ? solvedMs : knownMs) = DragSteps(window, response, upper, steps, solve);
        known.push_back(knownMs);
        solved.push_back(solvedMs);
        std::printf("round %d: drag step %.2f ms with the dragged zeros, %.2f ms solving for "
                    "them\n",
                    round, knownMs, solvedMs);
    }
    std::printf("response root searches during the rounds: %d (%d steps solving)\n",
                response.RootSearches() - searchesBefore, rounds * steps);

    const std::vector<double> average(300, 1.0 / 300);
    const auto start = Clock::now();
    constexpr int Solves = 20;
    for (int i = 0; i < Solves; ++i)
        signova::UnitCircleZeroFrequencies(average, 48000.0);
    const double eigenMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count() / Solves;
    std::printf("median of %d rounds: drag step %.2f ms with the dragged zeros, %.2f ms solving "
                "for them (%.1f times as long); the 299 zeros of a 300-tap table alone: %.2f ms\n",
                rounds, Median(known), Median(solved), Median(solved) / Median(known), eigenMs);
    return 0;
}
