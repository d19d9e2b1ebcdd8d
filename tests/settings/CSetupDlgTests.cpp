#include "SettingsTestSupport.h"
#include "TestDir.h"
#include "platform/DialogUnits.h"
#include "platform/FileError.h"
#include "settings/CSetupDlg.h"
#include "settings/SettingsLayouts.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gmock/gmock.h>
#include <memory>

using ::testing::ElementsAre;

namespace {

const char* const kChanges =
    "Changes will take effect next time you start the Corvalen controller!";
const char* const kNotInteger = "Please enter an integer.";
const char* const kOutOfRange = "Please enter an integer between 1 and 999999.";

const std::string kFile = "*** Do Not Modify This File ***\r\n"
                          "Account ID = cv1042\r\n"
                          "Reg Code = R-77\r\n"
                          "Refresh Rate = 5abc\r\n"
                          "VFW Driver = 70000\r\n"
                          "File 1 = /old/cam.jpg\r\n"
                          "Skin = /skins/blue.skn\r\n"
                          "Category = 12\r\n"
                          "Heading = Ann's garden\r\n"
                          "Page Text = Tomatoes\r\n"
                          "Login = ann\r\n"
                          "Passwd = s3cret\r\n"
                          "IP = 192.0.2.7\r\n";

// What OK writes for kFile when nothing is changed.
SetupRecord KFileCopy() {
    SetupRecord r;
    r.accountId = "cv1042";
    r.regCode = "R-77";
    r.refreshMinutes = 5;
    r.imageFile = "/old/cam.jpg";
    r.skinFile = "/skins/blue.skn";
    r.category = 12;
    r.heading = "Ann's garden";
    r.pageText = "Tomatoes";
    r.login = "ann";
    return r;
}

class SetupDialogTest : public ::testing::Test {
protected:
    struct Outcome {
        int result = -1;
        bool stayedOpen = false; // the interaction did not end the dialog
    };

    SetupDialogTest() { dir.Write("tamblix.ini", kFile); }

    CSetupDlg& Dialog() {
        if (!dialog)
            dialog = std::make_unique<CSetupDlg>(nullptr, values, boxes, chooser);
        return *dialog;
    }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(Dialog().Control(id)); }
    QPushButton* Button(int id) { return qobject_cast<QPushButton*>(Dialog().Control(id)); }

    // Runs DoModal; `interact` runs inside the modal loop. A dialog that is
    // still open afterwards is cancelled, so no test can hang.
    Outcome RunModal(const std::function<void(CSetupDlg&)>& interact) {
        Outcome outcome;
        CSetupDlg& dlg = Dialog();
        QTimer::singleShot(0, &dlg, [&] {
            interact(dlg);
            if (dlg.isVisible()) {
                outcome.stayedOpen = true;
                dlg.reject();
            }
        });
        outcome.result = dlg.DoModal();
        return outcome;
    }

    std::vector<FakeMessageBoxes::Box> Boxes() const { return boxes.shown; }

    ScopedTestDir dir;
    ProcessValues values;
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    std::unique_ptr<CSetupDlg> dialog;
};

// ---- Template 131 -----------------------------------------------------------

struct ControlCase {
    const char* name;
    int id;
    int x, y, w, h;
    bool enabled;
    bool visible;
    const char* text; // buttons
};

const ControlCase kControls[] = {
    {"AccountId", 1021, 7, 113, 98, 14, false, true, nullptr},
    {"RegCode", 1010, 120, 114, 78, 14, false, true, nullptr},
    {"SkinFile", 1018, 165, 74, 26, 14, false, false, nullptr},
    {"ImageFile", 1015, 7, 73, 119, 14, true, true, nullptr},
    {"Cancel", 2, 148, 15, 50, 14, true, true, "Cancel"},
    {"Refresh", 1014, 73, 41, 39, 14, true, true, nullptr},
    {"Browse", 1002, 132, 73, 29, 14, true, true, "Browse"},
    {"OK", 1, 148, 0, 50, 14, true, true, "OK"},
    {"Login", 1022, 7, 16, 76, 14, false, true, nullptr},
    {"Password", 1023, 94, 16, 41, 14, false, true, nullptr},
};

class SetupTemplate : public SetupDialogTest, public ::testing::WithParamInterface<ControlCase> {};

TEST_P(SetupTemplate, ControlStandsWhereTheTemplatePutsIt) {
    const ControlCase& c = GetParam();
    CSetupDlg& dlg = Dialog();
    dlg.show();
    QWidget* w = dlg.Control(c.id);
    ASSERT_NE(w, nullptr);
    const DialogUnits du(DialogFont());
    EXPECT_EQ(w->geometry(), du.ToPixels(c.x, c.y, c.w, c.h));
    EXPECT_EQ(w->isEnabled(), c.enabled);
    EXPECT_EQ(w->isVisible(), c.visible);
    if (c.text) {
        auto* b = qobject_cast<QPushButton*>(w);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), c.text);
        EXPECT_EQ(b->isDefault(), c.id == 1);
        EXPECT_FALSE(b->autoDefault());
    } else {
        auto* e = qobject_cast<QLineEdit*>(w);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->echoMode(), QLineEdit::Normal);
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, SetupTemplate, ::testing::ValuesIn(kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupDialogTest, CaptionSizeLabelsAndTabOrder) {
    CSetupDlg& dlg = Dialog();
    EXPECT_EQ(dlg.windowTitle(), "Corvalen Setup");
    const DialogUnits du(DialogFont());
    EXPECT_EQ(dlg.size(), QSize(du.X(208), du.Y(149)));

    std::vector<std::string> labels;
    for (QLabel* l : dlg.findChildren<QLabel*>())
        labels.push_back(l->text().toStdString());
    EXPECT_THAT(labels, ::testing::UnorderedElementsAre("Image File", "Refresh Minutes", "Login"));
    const auto* login = [&]() -> QLabel* {
        for (QLabel* l : dlg.findChildren<QLabel*>())
            if (l->text() == "Login")
                return l;
        return nullptr;
    }();
    EXPECT_EQ(login->geometry(), du.ToPixels(7, 4, 30, 10));

    // The focus chain follows the template order (labels take no focus).
    std::vector<QWidget*> chain;
    QWidget* w = Dialog().Control(1021);
    for (int guard = 0; chain.size() < 10 && guard < 50; ++guard, w = w->nextInFocusChain())
        if (!qobject_cast<QLabel*>(w))
            chain.push_back(w);
    std::vector<QWidget*> expected;
    for (int id : {1021, 1010, 1018, 1015, 2, 1014, 1002, 1, 1022, 1023})
        expected.push_back(dlg.Control(id));
    EXPECT_EQ(chain, expected);
}

// ---- Opening ------------------------------------------------------------------

TEST_F(SetupDialogTest, OpensWithTheFileInTheBoxes) {
    RunModal([&](CSetupDlg& dlg) {
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_TRUE(dlg.isModal());
        EXPECT_EQ(Edit(1015)->text(), "/old/cam.jpg");
        EXPECT_EQ(Edit(1018)->text(), "/skins/blue.skn");
        EXPECT_EQ(Edit(1021)->text(), "cv1042");
        EXPECT_EQ(Edit(1010)->text(), "R-77");
        EXPECT_EQ(Edit(1022)->text(), "ann");
        EXPECT_EQ(Edit(1023)->text(), "s3cret");
        EXPECT_EQ(Edit(1014)->text(), "5") << "the leading number of \"5abc\"";
        EXPECT_EQ(dlg.focusWidget(), Edit(1015));
    });
    EXPECT_EQ(values.g_nSetupVideoDriver, 70000);
}

TEST_F(SetupDialogTest, MissingFileRaisesWithoutDialogOrMessage) {
    QFile::remove(QString::fromStdString(dir.File("tamblix.ini")));
    bool shown = false;
    // Had the dialog run, this would find it open (and end it).
    QTimer::singleShot(0, &Dialog(), [&] {
        shown = Dialog().isVisible();
        Dialog().reject();
    });
    try {
        Dialog().DoModal();
        FAIL() << "no error";
    } catch (const FileError& e) {
        EXPECT_STREQ(e.what(), "tamblix.ini was not found.");
    }
    EXPECT_FALSE(Dialog().isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(shown) << "the dialog never ran";
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SetupDialogTest, SettingsCommandShowsStatusThenTheDialog) {
    FakeStatusLine status;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dlg = qobject_cast<CSetupDlg*>(w); dlg && dlg->isVisible()) {
                EXPECT_THAT(status.texts, ElementsAre("Setup Dialog..."));
                dlg->reject();
            }
    });
    EXPECT_EQ(CSetupDlg::RunSettingsCommand(nullptr, status, values, boxes, chooser), IDCANCEL);
    EXPECT_THAT(status.texts, ElementsAre("Setup Dialog..."));

    QFile::remove(QString::fromStdString(dir.File("tamblix.ini")));
    EXPECT_THROW(CSetupDlg::RunSettingsCommand(nullptr, status, values, boxes, chooser), FileError);
    EXPECT_THAT(status.texts, ElementsAre("Setup Dialog...", "Setup Dialog..."));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SetupDialogTest, F1OpensHelpAtTheDialogsContext) {
    std::vector<int> contexts;
    Dialog().SetContextHelp([&](int templateId) { contexts.push_back(templateId); });
    RunModal([](CSetupDlg& dlg) {
        QTest::keyClick(&dlg, Qt::Key_F1);
        QTest::keyClick(&dlg, Qt::Key_F1, Qt::ShiftModifier); // not context help
    });
    EXPECT_THAT(contexts, ElementsAre(131));
}

// ---- OK --------------------------------------------------------------------

TEST_F(SetupDialogTest, OkWithNoChangeWritesTheSetupLayout) {
    const Outcome out = RunModal([](CSetupDlg& dlg) { dlg.accept(); });
    EXPECT_EQ(out.result, IDOK);
    EXPECT_FALSE(out.stayedOpen);
    EXPECT_EQ(dir.Read("tamblix.ini"), SetupLayout(KFileCopy(), 70000))
        << "untouched fields travel, the password does not";
    EXPECT_THAT(Boxes(), ElementsAre(FakeMessageBoxes::Box{kChanges, MB_OK | MB_ICONEXCLAMATION}));
}

TEST_F(SetupDialogTest, EnterIsOkWhereverTheFocusIs) {
    const Outcome out = RunModal([&](CSetupDlg&) {
        Button(1002)->setFocus();
        QTest::keyClick(Button(1002), Qt::Key_Return);
    });
    EXPECT_EQ(out.result, IDOK);
    EXPECT_TRUE(chooser.asked.empty()) << "Enter must not press Browse";
}

TEST_F(SetupDialogTest, EditedRefreshAndImageAreWritten) {
    const Outcome out = RunModal([&](CSetupDlg&) {
        Edit(1014)->clear();
        QTest::keyClicks(Edit(1014), "42");
        Edit(1015)->selectAll();
        QTest::keyClicks(Edit(1015), "/new/pic.jpg");
        QTest::mouseClick(Button(1), Qt::LeftButton);
    });
    EXPECT_EQ(out.result, IDOK);
    SetupRecord expected = KFileCopy();
    expected.refreshMinutes = 42;
    expected.imageFile = "/new/pic.jpg";
    EXPECT_EQ(dir.Read("tamblix.ini"), SetupLayout(expected, 70000));
}

TEST_F(SetupDialogTest, RefreshBoxTakesDigitsOnly) {
    RunModal([&](CSetupDlg&) {
        Edit(1014)->clear();
        QTest::keyClicks(Edit(1014), "1a-2 b3.");
        EXPECT_EQ(Edit(1014)->text(), "123");
    });
}

struct RangeCase {
    const char* name;
    const char* text;
    const char* message; // nullptr: accepted
};

const RangeCase kRanges[] = {
    {"Empty", "", kNotInteger},
    {"Zero", "0", kOutOfRange},
    {"Negative", "-5", kOutOfRange},
    {"OnePastLargest", "1000000", kOutOfRange},
    {"Huge", "12345678901234567890", kOutOfRange},
    {"Smallest", "1", nullptr},
    {"Largest", "999999", nullptr},
};

class RefreshRange : public SetupDialogTest, public ::testing::WithParamInterface<RangeCase> {};

TEST_P(RefreshRange, OkChecksTheRefreshMinutes) {
    const RangeCase& c = GetParam();
    const Outcome out = RunModal([&](CSetupDlg& dlg) {
        Edit(1015)->setFocus();
        Edit(1014)->setText(c.text);
        dlg.accept();
        if (c.message)
            EXPECT_EQ(dlg.focusWidget(), Edit(1014)) << "focus goes back to the box";
    });
    if (c.message) {
        EXPECT_TRUE(out.stayedOpen);
        EXPECT_EQ(out.result, IDCANCEL);
        EXPECT_THAT(Boxes(),
                    ElementsAre(FakeMessageBoxes::Box{c.message, MB_OK | MB_ICONEXCLAMATION}));
        EXPECT_EQ(dir.Read("tamblix.ini"), kFile) << "nothing written";
    } else {
        EXPECT_EQ(out.result, IDOK);
        SetupRecord expected = KFileCopy();
        expected.refreshMinutes = std::stoi(c.text);
        EXPECT_EQ(dir.Read("tamblix.ini"), SetupLayout(expected, 70000));
        EXPECT_THAT(Boxes(),
                    ElementsAre(FakeMessageBoxes::Box{kChanges, MB_OK | MB_ICONEXCLAMATION}));
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RefreshRange, ::testing::ValuesIn(kRanges),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupDialogTest, FileWithoutRefreshLineIsRefusedUntilAValueIsEntered) {
    dir.Write("tamblix.ini", "Account ID = cv1\r\n");
    const Outcome out = RunModal([&](CSetupDlg& dlg) {
        EXPECT_EQ(Edit(1014)->text(), "0");
        dlg.accept();
        EXPECT_TRUE(dlg.isVisible());
        Edit(1014)->setText("3");
        dlg.accept();
    });
    EXPECT_EQ(out.result, IDOK);
    EXPECT_THAT(Boxes(), ElementsAre(FakeMessageBoxes::Box{kOutOfRange, MB_OK | MB_ICONEXCLAMATION},
                                     FakeMessageBoxes::Box{kChanges, MB_OK | MB_ICONEXCLAMATION}));
}

TEST_F(SetupDialogTest, FailedWriteShowsTheErrorKeepsTheDialogAndTheOldFile) {
    dir.Write("tamblix.ini", kFile + "Page Text = " + std::string(3000, 'p') + "\r\n");
    const std::string before = dir.Read("tamblix.ini");
    const Outcome out = RunModal([&](CSetupDlg& dlg) {
        {
            ScopedFileSizeLimit limit(1024);
            dlg.accept();
        }
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dir.Read("tamblix.ini"), before);
        EXPECT_THAT(FolderEntries(dir.path()), ElementsAre("tamblix.ini"));
        // Once the disk has room again, OK goes through.
        dlg.accept();
    });
    EXPECT_EQ(out.result, IDOK);
    EXPECT_THAT(Boxes(), ElementsAre(FakeMessageBoxes::Box{"The disk is full while writing "
                                                           "tamblix.ini.",
                                                           MB_OK | MB_ICONSTOP},
                                     FakeMessageBoxes::Box{kChanges, MB_OK | MB_ICONEXCLAMATION}));
}

// ---- Browse, Cancel, Escape -----------------------------------------------------

TEST_F(SetupDialogTest, BrowseAsksForJpegImages) {
    RunModal([&](CSetupDlg&) { QTest::mouseClick(Button(1002), Qt::LeftButton); });
    EXPECT_THAT(chooser.asked,
                ElementsAre(std::pair<std::string, std::string>{"Jpeg Images (*.jpg)", "*.jpg"}));
}

TEST_F(SetupDialogTest, BrowsePutsTheCopyBackAndUndoesTypedRefresh) {
    chooser.answer = "/pictures/new.jpg";
    const Outcome out = RunModal([&](CSetupDlg& dlg) {
        Edit(1014)->clear();
        QTest::keyClicks(Edit(1014), "77");
        dlg.OnBrowse();
        EXPECT_EQ(Edit(1015)->text(), "/pictures/new.jpg");
        EXPECT_EQ(Edit(1014)->text(), "5") << "the unsaved value returns";
        dlg.accept();
    });
    EXPECT_EQ(out.result, IDOK);
    SetupRecord expected = KFileCopy();
    expected.imageFile = "/pictures/new.jpg";
    EXPECT_EQ(dir.Read("tamblix.ini"), SetupLayout(expected, 70000));
}

TEST_F(SetupDialogTest, ChooserCancelledChangesNothing) {
    RunModal([&](CSetupDlg& dlg) {
        Edit(1014)->clear();
        QTest::keyClicks(Edit(1014), "77");
        dlg.OnBrowse();
        EXPECT_EQ(Edit(1015)->text(), "/old/cam.jpg");
        EXPECT_EQ(Edit(1014)->text(), "77");
    });
    EXPECT_EQ(dir.Read("tamblix.ini"), kFile);
}

struct CancelCase {
    const char* name;
    void (*cancel)(CSetupDlg&);
};

const CancelCase kCancels[] = {
    {"CancelButton",
     [](CSetupDlg& d) {
         QTest::mouseClick(qobject_cast<QPushButton*>(d.Control(2)), Qt::LeftButton);
     }},
    {"Escape", [](CSetupDlg& d) { QTest::keyClick(d.Control(1014), Qt::Key_Escape); }},
    {"CloseBox", [](CSetupDlg& d) { d.close(); }},
};

class CancelWays : public SetupDialogTest, public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelWays, AfterBrowseWritesNothing) {
    chooser.answer = "/pictures/new.jpg";
    const Outcome out = RunModal([&](CSetupDlg& dlg) {
        dlg.OnBrowse();
        Edit(1014)->setText("9");
        GetParam().cancel(dlg);
    });
    EXPECT_EQ(out.result, IDCANCEL);
    EXPECT_FALSE(out.stayedOpen);
    EXPECT_EQ(dir.Read("tamblix.ini"), kFile);
    EXPECT_THAT(FolderEntries(dir.path()), ElementsAre("tamblix.ini"));
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, CancelWays, ::testing::ValuesIn(kCancels),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SetupDialogTest, ReadOnlyValuesKeepTheirBytesThroughTheDialog) {
    // Not valid in the locale's encoding: must not be rewritten by the boxes.
    const std::string latin1Login = "Login = ren\xe9\r\n";
    dir.Write("tamblix.ini", kFile + latin1Login + "File 1 = /img/caf\xe9.jpg\r\n");
    RunModal([](CSetupDlg& dlg) { dlg.accept(); });
    const std::string written = dir.Read("tamblix.ini");
    EXPECT_NE(written.find("Login = ren\xe9\r\n"), std::string::npos);
    EXPECT_NE(written.find("File 1 = /img/caf\xe9.jpg\r\n"), std::string::npos);
}

} // namespace
