#pragma once

#include <QDialog>
#include <functional>

class QLabel;

// The About box, template 100.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // `contextHelp` answers F1 with this box's template number.
    explicit CAboutDlg(QWidget* owner, std::function<void(int)> contextHelp = {});

    QLabel* text(int id) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void(int)> m_contextHelp;
};
