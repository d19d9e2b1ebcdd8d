// Renders the main window, with the real components and the live test
// picture, into a PNG under the offscreen platform (the picture in docs/):
//   window_screenshot OUTPUT.png
// It runs in a scratch folder with a small settings file, so that the window
// opens as it does for a user; nothing is sent anywhere.
#include "app/ControllerDlg.h"
#include "app/DefaultComponents.h"
#include "app/ProcessValues.h"
#include "platform/QtMessageBoxes.h"
#include "settings/MainSettings.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_screenshot OUTPUT.png\n");
        return 2;
    }
    const QString output = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    QTemporaryDir scratch;
    QDir::setCurrent(scratch.path());
    QFile settings("tamblix.ini");
    settings.open(QIODevice::WriteOnly);
    settings.write("*** Do Not Modify This File ***\r\nAccount ID = demo\r\nRefresh Rate = 5\r\n");
    settings.close();

    ProcessValues values;
    MainSettings mainSettings(values);
    QtMessageBoxes boxes;
    const ComponentRegistry registry = MakeDefaultRegistry();
    CControllerDlg dlg({registry, values, mainSettings, boxes});
    if (!dlg.Create()) {
        std::fprintf(stderr, "the window could not be created\n");
        return 1;
    }
    dlg.show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1500) // the first frames of the test picture
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return dlg.grab().save(output) ? 0 : 1;
}
