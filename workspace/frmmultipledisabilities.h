#pragma once
// "Multiple Disabilities per Learner": the current learner's additional
// disabilities (host table MultipleDisabilities) with the K number and the date
// of testing. Opened from the background page, which fills txtPrimary and
// txtLearner first and is called back when the window closes.
#include <QDialog>
#include <functional>

class QDateEdit;
class QHeaderView;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class SaveButton;

namespace ado {
class Recordset;
}

class frmMultipleDisabilities : public QDialog {
    Q_OBJECT
public:
    explicit frmMultipleDisabilities(QWidget* parent = nullptr);

    // Runs when the window unloads, before it is gone (the opener refreshes its
    // disability display there).
    void setOnUnload(std::function<void()> onUnload) { m_onUnload = std::move(onUnload); }

    // Form_Load and Form_Activate, then the modal loop.
    int exec() override;

    void Form_Load();
    void Form_Activate();
    void getDisabilities();
    void getLearnerDisabilities();
    // True when the learner's rows were rewritten. Refused (false) after a
    // failed load, which would have the save replace rows never shown.
    bool cmdSave_Click();
    // True when the window was closed.
    bool cmdDone_Click();

    // The primary item is the one shown in red.
    bool isPrimaryItem(const QListWidgetItem* item) const;
    // "K" and the disability's id.
    static QString itemKey(const QListWidgetItem* item);
    bool isUnsaved() const;

    QLabel* lblLearner = nullptr;
    QLineEdit* txtLearner = nullptr;
    QLabel* lblPrimary = nullptr;
    QLineEdit* txtPrimary = nullptr;
    QLabel* lblList = nullptr;
    QHeaderView* lvwDisabilitiesHeader = nullptr; // the column heading "Disability"
    QListWidget* lvwDisabilities = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lblKNumber = nullptr;
    QLineEdit* txtKNumber = nullptr;
    QLabel* lblTest = nullptr;
    QDateEdit* dtTest = nullptr;
    SaveButton* cmdSave = nullptr;
    QPushButton* cmdDone = nullptr;

protected:
    // Escape, the title bar's close and Done all leave through ConfirmLeave.
    void reject() override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void markUnsaved();
    void lvwDisabilities_ItemCheck(QListWidgetItem* item);
    void lvwDisabilities_ItemClick(QListWidgetItem* item);
    void Form_Unload();
    void refuseSave();
    void fillFrom(const QString& routine, const QString& sql, int cursorType, int lockType,
                  const std::function<void(ado::Recordset&)>& fill);

    std::function<void()> m_onUnload;
    bool m_filling = false; // the program itself is placing items, ticks or dates
    bool m_unloaded = false;
    bool m_leaving = false;    // inside ConfirmLeave
    bool m_loadFailed = false; // Save is refused for this opening
};
