#include "platform/runtime.h"
#include "workspace/moddatabaseconnection.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    gDbPath = GetSetting("MarvikEmis", "Startup", "Database");
    OpenConnection();
    if (!gConnection || gConnection->State() != ado::adStateOpen)
        return 1;
    std::printf("%s\n", qPrintable(gDbPath));
    CloseConnection();
    return 0;
}
