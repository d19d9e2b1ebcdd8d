#include "components/video/VideoCaptureWidget.h"

#include "components/video/VideoDialogs.h"

#include <QMetaObject>
#include <QPainter>
#include <algorithm>

namespace {

// The frame's own pixels, drawn as they are: no copy, no conversion.
QImage ImageOf(const FramePtr& frame) {
    if (!frame || !frame->HasPicture())
        return {};
    return QImage(frame->pixels, frame->width, frame->height, frame->stride, QImage::Format_RGB32);
}

} // namespace

VideoCaptureWidget::VideoCaptureWidget(VideoCapture::SourceLister lister, QWidget* parent)
    : QWidget(parent)
    , m_capture(std::move(lister)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_capture.SetPreview(true);
    m_capture.SetNotify([this] {
        QMetaObject::invokeMethod(this, &VideoCaptureWidget::OnNotice, Qt::QueuedConnection);
    });

    m_table.Get(17, [this] { return m_capture.Preview(); });
    m_table.Put(17, [this](bool on) { SetPreview(on); });
    m_table.Method(19, [this](std::string file, int32_t maxQuality) {
        return m_capture.SaveJpeg(file, maxQuality);
    });
    m_table.Method(28, [this] { return ShowSourceDialog(); });
    m_table.Method(29, [this] { return ShowFormatDialog(); });
    m_table.Method(45, [this] { return ShowCompressionDialog(); });
    m_table.Method(34, [this] { m_capture.DisconnectDevice(); });
    m_table.Put(35, [this](bool on) { m_capture.SetFreshFrame(on); });
    m_table.Get(44, [this] { return m_capture.IsStreaming(); });
    m_table.Put(44, [this](bool on) { m_capture.SetStreaming(on); });
    m_table.Method(51, [this](int32_t index) { m_capture.ConnectDevice(index); });
    m_table.Get(52, [this] { return m_capture.IsConnected(); });
    m_table.Put(52, [this](bool on) { m_capture.SetConnected(on); });
}

VideoCaptureWidget::~VideoCaptureWidget() {
    // No frame may be delivered to a widget that is going away.
    m_capture.DisconnectDevice();
}

Variant VideoCaptureWidget::Invoke(DispId id, CallKind kind, std::span<const Variant> args) {
    return m_table.Invoke(id, kind, args);
}

void VideoCaptureWidget::OnNotice() {
    const PictureUpdate news = m_capture.TakeUpdate();
    m_lost = news.lost;
    // A hidden picture is neither converted nor drawn.
    if (m_capture.Preview() && isVisible()) {
        m_frame = news.frame;
        m_image = ImageOf(m_frame);
        update();
    }
    if (news.stateChanged) {
        Variant args[] = {Variant::Int32(news.width), Variant::Int32(news.height),
                          Variant::Bool(!news.lost && news.frame)};
        FireEvent(kPictureEvent, args);
    }
}

void VideoCaptureWidget::SetPreview(bool on) {
    m_capture.SetPreview(on);
    if (!on) {
        m_frame.reset();
        m_image = QImage();
    } else if (FramePtr latest = m_capture.LatestFrame()) {
        m_frame = latest;
        m_image = ImageOf(m_frame);
    }
    update();
}

VideoCaptureWidget::Showing VideoCaptureWidget::showing() const {
    if (!m_capture.Preview())
        return Showing::Nothing;
    if (m_lost || !m_capture.IsConnected())
        return Showing::NoSignal;
    return m_image.isNull() ? Showing::Nothing : Showing::Picture;
}

void VideoCaptureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const Showing what = showing();
    if (what == Showing::Picture) {
        QSize size = m_image.size().scaled(this->size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2),
                           size);
        // Bars beside the picture; the picture itself covers the rest.
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(target, m_image);
        return;
    }
    if (what == Showing::NoSignal) {
        painter.fillRect(rect(), QColor(40, 40, 48));
        painter.setPen(QPen(QColor(200, 60, 60), 2));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPointSize(std::max(8, height() / 12));
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("No signal"));
        return;
    }
    painter.fillRect(rect(), Qt::black);
}

bool VideoCaptureWidget::ShowSourceDialog() {
    VideoSourceDialog dialog(m_capture, this);
    return dialog.exec() == QDialog::Accepted;
}

bool VideoCaptureWidget::ShowFormatDialog() {
    VideoFormatDialog dialog(m_capture, this);
    return dialog.exec() == QDialog::Accepted;
}

bool VideoCaptureWidget::ShowCompressionDialog() {
    VideoCompressionDialog dialog(m_capture, this);
    return dialog.exec() == QDialog::Accepted;
}
