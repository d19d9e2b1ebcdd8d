#pragma once

#include "RecordingComponent.h"
#include "TestDir.h"
#include "app/ControllerDlg.h"
#include "app/ProcessValues.h"
#include "platform/MessageBoxes.h"
#include "settings/SettingsRecord.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Stand-in for the video capture component: a widget that records its calls
// and draws a test picture.
class FakeVideoWidget : public QWidget, public RecordingComponent {
public:
    explicit FakeVideoWidget(CallLog* log);
    using RecordingComponent::Fire;

protected:
    void paintEvent(QPaintEvent*) override;
};

// Message boxes answered in advance; each box shown is kept.
class ScriptedBoxes : public IMessageBoxes {
public:
    struct Box {
        std::string text;
        unsigned type;
    };
    int Show(const std::string& text, unsigned type) override {
        shown.push_back({text, type});
        return IDOK;
    }
    std::vector<Box> shown;
};

// Settings whose load is logged and may be made to fail.
class FakeSettings : public IMainSettings {
public:
    explicit FakeSettings(CallLog* log)
        : m_log(log) {}
    SettingsRecord& Record() override { return record; }
    void LoadSettings() override;
    void SaveSettings() override;

    SettingsRecord record;
    SettingsRecord fileContents; // what a load reads
    std::function<void()> failLoad;
    bool saved = false;

private:
    CallLog* m_log;
};

// The window's world: real skin components, fake file transfer and video
// components, all calls in one log.
class MainWindowWorld {
public:
    MainWindowWorld();
    ComponentRegistry registry;
    CallLog log;
    ProcessValues values;
    FakeSettings settings{&log};
    ScriptedBoxes boxes;
    RecordingComponent* ftp = nullptr; // valid once the window is created
    FakeVideoWidget* video = nullptr;  // valid once the window is created

    std::unique_ptr<CControllerDlg> MakeWindow(const StringTable& strings = StringTable::Program(),
                                               std::string programPath = {});
};

// Closes the next modal dialog that opens and remembers its title.
class ModalCloser {
public:
    void Arm();
    const std::string& title() const { return m_title; }

private:
    std::string m_title;
};
