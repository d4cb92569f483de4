#include "shell/Application.h"

#include <QCoreApplication>

namespace shell::application {

namespace {
bool& requested() {
    static bool flag = false;
    return flag;
}
int& code() {
    static int value = 0;
    return value;
}
} // namespace

void requestTerminate(int exitCode) {
    requested() = true;
    code() = exitCode;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->quit();
}

bool terminateRequested() {
    return requested();
}

int exitCode() {
    return code();
}

void resetTerminate() {
    requested() = false;
    code() = 0;
}

} // namespace shell::application
