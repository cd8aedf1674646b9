// The one program of the widget tests: the first argument names the test class,
// the rest are QtTest's options. Each class still runs in a process of its own,
// with the application set up as QTEST_MAIN sets it up.

#include "AppTestSupport.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>

namespace veloquin::test {
namespace {

std::map<std::string, TestClassFactory>& Registry()
{
    static std::map<std::string, TestClassFactory> registry;
    return registry;
}

} // namespace

bool RegisterTestClass(const char* name, TestClassFactory factory)
{
    return Registry().emplace(name, factory).second;
}

} // namespace veloquin::test

int main(int argc, char** argv)
{
    const auto& registry = veloquin::test::Registry();
    const auto found = argc > 1 ? registry.find(argv[1]) : registry.end();
    if (found == registry.end()) {
        std::fprintf(stderr, "usage: %s CLASS [QtTest options]\nclasses:\n", argv[0]);
        for (const auto& entry : registry)
            std::fprintf(stderr, "  %s\n", entry.first.c_str());
        return 2;
    }
    // QtTest reads argv[0] as the program and the rest as its options.
    argv[1] = argv[0];
    --argc;
    ++argv;
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    QTEST_SET_MAIN_SOURCE_PATH
    const std::unique_ptr<QObject> testObject = found->second();
    return QTest::qExec(testObject.get(), argc, argv);
}
