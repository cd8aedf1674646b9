#pragma once
// Fonts and images need a QGuiApplication; the benchmarks share one for the
// whole run, on the offscreen platform unless another is asked for.

#include <QGuiApplication>

namespace veloquin::bench {

inline void EnsureGuiApplication()
{
    if (QGuiApplication::instance() != nullptr)
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "veloquin_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

} // namespace veloquin::bench
