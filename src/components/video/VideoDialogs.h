#pragma once

#include "components/video/VideoCapture.h"

#include <QDialog>
#include <vector>

class QComboBox;
class QLabel;
class QSlider;
class QSpinBox;

// The device's three dialogs. Nothing changes while a dialog is open: OK
// applies the choices to the capture, Cancel keeps everything as it was. When
// applying fails (the chosen camera is gone), the dialog stays open and says
// why.
class VideoDeviceDialog : public QDialog {
    Q_OBJECT
public:
    void accept() override;
    QString errorText() const;

protected:
    VideoDeviceDialog(VideoCapture& capture, const QString& title, QWidget* parent);
    // Adds the OK/Cancel row and the error line below `content`.
    void Finish(QWidget* content);
    virtual void Apply() = 0;

    VideoCapture& m_capture;

private:
    QLabel* m_error = nullptr;
};

// Chooses the device and sets its picture controls, where it has them.
class VideoSourceDialog : public VideoDeviceDialog {
    Q_OBJECT
public:
    VideoSourceDialog(VideoCapture& capture, QWidget* parent = nullptr);

    QComboBox* devices() const { return m_devices; }
    // One slider per picture control of the connected device.
    const std::vector<QSlider*>& controls() const { return m_sliders; }

protected:
    void Apply() override;

private:
    QComboBox* m_devices;
    std::vector<QSlider*> m_sliders;
    std::vector<PictureControl> m_controls;
};

// Chooses frame size and rate among those the device offers.
class VideoFormatDialog : public VideoDeviceDialog {
    Q_OBJECT
public:
    VideoFormatDialog(VideoCapture& capture, QWidget* parent = nullptr);
    QComboBox* modes() const { return m_modes; }

protected:
    void Apply() override;

private:
    QComboBox* m_modes;
};

// Sets the JPEG quality of the still images.
class VideoCompressionDialog : public VideoDeviceDialog {
    Q_OBJECT
public:
    VideoCompressionDialog(VideoCapture& capture, QWidget* parent = nullptr);
    QSpinBox* quality() const { return m_quality; }

protected:
    void Apply() override;

private:
    QSpinBox* m_quality;
};
