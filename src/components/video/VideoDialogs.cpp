#include "components/video/VideoDialogs.h"

#include "components/ComponentError.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

VideoDeviceDialog::VideoDeviceDialog(VideoCapture& capture, const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_capture(capture) {
    setWindowTitle(title);
    setModal(true);
}

void VideoDeviceDialog::Finish(QWidget* content) {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(content);
    m_error = new QLabel(this);
    m_error->setWordWrap(true);
    m_error->setStyleSheet("color: #b00020");
    m_error->hide();
    layout->addWidget(m_error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void VideoDeviceDialog::accept() {
    try {
        Apply();
    } catch (const ComponentError& e) {
        m_error->setText(QString::fromLocal8Bit(e.what()));
        m_error->show();
        return;
    }
    QDialog::accept();
}

QString VideoDeviceDialog::errorText() const {
    return m_error->text();
}

VideoSourceDialog::VideoSourceDialog(VideoCapture& capture, QWidget* parent)
    : VideoDeviceDialog(capture, tr("Video Source"), parent) {
    auto* content = new QWidget(this);
    auto* form = new QFormLayout(content);
    m_devices = new QComboBox(content);
    for (const VideoSource& source : capture.Sources())
        m_devices->addItem(QString::fromLocal8Bit(source.name));
    m_devices->setCurrentIndex(capture.IsConnected() ? capture.deviceIndex() : 0);
    form->addRow(tr("Device:"), m_devices);

    if (capture.IsConnected())
        m_controls = capture.Controls();
    for (const PictureControl& control : m_controls) {
        auto* slider = new QSlider(Qt::Horizontal, content);
        slider->setRange(control.minimum, control.maximum);
        slider->setValue(control.value);
        form->addRow(QString::fromLocal8Bit(control.name) + ":", slider);
        m_sliders.push_back(slider);
    }
    if (m_controls.empty())
        form->addRow(new QLabel(tr("This device has no picture controls."), content));
    Finish(content);
}

void VideoSourceDialog::Apply() {
    const int chosen = m_devices->currentIndex();
    if (!m_capture.IsConnected() || chosen != m_capture.deviceIndex()) {
        // The controls belonged to the previous device, so they are left alone.
        const bool wasConnected = m_capture.IsConnected();
        const int previous = m_capture.deviceIndex();
        try {
            m_capture.ConnectDevice(chosen);
        } catch (const ComponentError&) {
            // Keep the picture the user had rather than none at all.
            if (wasConnected) {
                try {
                    m_capture.ConnectDevice(previous);
                } catch (const ComponentError&) {
                }
            }
            throw;
        }
        return;
    }
    for (size_t i = 0; i < m_controls.size(); ++i) {
        if (m_sliders[i]->value() != m_controls[i].value)
            m_capture.SetControl(m_controls[i].name, m_sliders[i]->value());
    }
}

VideoFormatDialog::VideoFormatDialog(VideoCapture& capture, QWidget* parent)
    : VideoDeviceDialog(capture, tr("Video Format"), parent) {
    auto* content = new QWidget(this);
    auto* form = new QFormLayout(content);
    m_modes = new QComboBox(content);
    if (capture.IsConnected()) {
        for (const VideoMode& mode : capture.source().modes)
            m_modes->addItem(QString::fromLocal8Bit(mode.Describe()));
        m_modes->setCurrentIndex(capture.mode());
    }
    m_modes->setEnabled(m_modes->count() > 0);
    form->addRow(tr("Frame size and rate:"), m_modes);
    if (!capture.IsConnected())
        form->addRow(new QLabel(tr("No video device is connected."), content));
    Finish(content);
}

void VideoFormatDialog::Apply() {
    const int chosen = m_modes->currentIndex();
    if (chosen >= 0 && chosen != m_capture.mode())
        m_capture.SetMode(chosen);
}

VideoCompressionDialog::VideoCompressionDialog(VideoCapture& capture, QWidget* parent)
    : VideoDeviceDialog(capture, tr("Video Compression"), parent) {
    auto* content = new QWidget(this);
    auto* form = new QFormLayout(content);
    auto* slider = new QSlider(Qt::Horizontal, content);
    m_quality = new QSpinBox(content);
    slider->setRange(1, 100);
    m_quality->setRange(1, 100);
    m_quality->setSuffix(" %");
    m_quality->setValue(capture.quality());
    slider->setValue(capture.quality());
    connect(slider, &QSlider::valueChanged, m_quality, &QSpinBox::setValue);
    connect(m_quality, &QSpinBox::valueChanged, slider, &QSlider::setValue);
    auto* row = new QHBoxLayout;
    row->addWidget(slider, 1);
    row->addWidget(m_quality);
    form->addRow(tr("JPEG quality:"), row);
    form->addRow(new QLabel(tr("Higher quality gives larger files."), content));
    Finish(content);
}

void VideoCompressionDialog::Apply() {
    m_capture.SetQuality(m_quality->value());
}
