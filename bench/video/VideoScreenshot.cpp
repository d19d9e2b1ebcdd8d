// Renders the video capture component showing the test picture into a PNG
// (the picture in docs/): video_screenshot OUTPUT.png
#include "components/CXVideoCtlx.h"
#include "components/video/VideoCaptureWidget.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: video_screenshot OUTPUT.png\n");
        return 2;
    }
    VideoCaptureWidget widget([] { return std::vector<VideoSource>{TestPictureSource()}; });
    CXVideoCtlx video(&widget);
    widget.resize(480, 360);
    widget.show();
    video.SetConnected(true);
    video.SetStreaming(true);
    for (int i = 0; i < 200 && widget.showing() != VideoCaptureWidget::Showing::Picture; ++i) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    if (widget.showing() != VideoCaptureWidget::Showing::Picture) {
        std::fprintf(stderr, "no picture arrived\n");
        return 1;
    }
    return widget.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
