#include "workspace/frmmultipledisabilities.h"

#include "platform/colors.h"
#include "platform/commandbutton.h"
#include "platform/entryguard.h"
#include "platform/runtime.h"
#include "platform/savebutton.h"
#include "platform/sqlquote.h"
#include "services/globals.h"
#include "services/modcentralroutines.h"
#include "services/moddatabaseconnection.h"
#include "services/modextendedmsgbox.h"

#include <QDateEdit>
#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QStandardItemModel>
#include <optional>

namespace {
const QString kLocation = QStringLiteral("frmMultipleDisabilities");
constexpr int kKeyRole = Qt::UserRole;         // "K" and the disability's id
constexpr int kTickedRole = Qt::UserRole + 1;  // the tick last seen, to tell tick changes apart
constexpr int kPrimaryRole = Qt::UserRole + 2; // the learner's primary disability, shown red

void place(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twipsRect(left, top, width, height));
}

QLabel* label(QWidget* parent, const QString& text, int left, int top, int width) {
    auto* l = new QLabel(text, parent);
    place(l, left, top, width, 255);
    return l;
}

// A box right of its label, on the label's line.
template <class Box> Box* boxBeside(QWidget* parent, int top, int width) {
    auto* box = new Box(parent);
    place(box, 2520, top, width, 315);
    return box;
}

// The test date as stored: ISO text, or a date value.
QDate storedDate(const QVariant& value) {
    if (value.metaType().id() == QMetaType::QDate)
        return value.toDate();
    if (value.metaType().id() == QMetaType::QDateTime)
        return value.toDateTime().date();
    const QString text = value.toString().trimmed();
    QDate d = QDate::fromString(text.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDateTime::fromString(text, Qt::ISODate).date();
    return d;
}

// The disability id in an item's key ("K12" gives 12); none where the key
// holds no whole number.
std::optional<qint64> disabilityIdOf(const QListWidgetItem* item) {
    bool ok = false;
    const qint64 id = DropFirstChar(frmMultipleDisabilities::itemKey(item)).toLongLong(&ok);
    return ok ? std::optional<qint64>(id) : std::nullopt;
}
} // namespace

frmMultipleDisabilities::frmMultipleDisabilities(QWidget* parent) : QDialog(parent) {
    setObjectName(kLocation);
    setWindowTitle("Multiple Disabilities per Learner");
    setFixedSize(twips(6060), twips(6900));

    lblLearner = label(this, "Learner:", 120, 160, 2400);
    txtLearner = boxBeside<QLineEdit>(this, 120, 3360);
    txtLearner->setReadOnly(true);

    lblPrimary = label(this, "Primary Disability Barrier:", 120, 580, 2400);
    txtPrimary = boxBeside<QLineEdit>(this, 540, 3360);
    txtPrimary->setReadOnly(true);

    lblList = label(this, "Please select all additional disability barriers for this learner", 120,
                    1000, 5760);
    // The list's one column, "Disability", with its heading above the items.
    lvwDisabilitiesHeader = new QHeaderView(Qt::Horizontal, this);
    auto* headings = new QStandardItemModel(0, 1, lvwDisabilitiesHeader);
    headings->setHorizontalHeaderLabels({"Disability"});
    lvwDisabilitiesHeader->setModel(headings);
    lvwDisabilitiesHeader->setStretchLastSection(true);
    lvwDisabilitiesHeader->setSectionsClickable(false);
    lvwDisabilitiesHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    place(lvwDisabilitiesHeader, 120, 1280, 5760, 300);
    lvwDisabilities = new QListWidget(this);
    place(lvwDisabilities, 120, 1580, 5760, 3000);

    Label4 = label(this, "Red indicates Primary Barrier ", 120, 4640, 5760);
    Label4->setStyleSheet(
        "color: " + readableTone(toQColor(vbRed), palette().color(QPalette::Window)).name() + ";");

    lblKNumber = label(this, "K Number of learner:", 120, 5100, 2400);
    txtKNumber = boxBeside<QLineEdit>(this, 5060, 2400);
    txtKNumber->installEventFilter(this);
    entryguard::guardBox(txtKNumber, [](const QString& message) { ShowUserMessage(message); });

    lblTest = label(this, "Date of testing:", 120, 5540, 2400);
    dtTest = boxBeside<QDateEdit>(this, 5500, 1800);
    dtTest->setCalendarPopup(true);
    dtTest->setDisplayFormat("yyyy-MM-dd");

    cmdSave = new SaveButton("Save", this);
    place(cmdSave, 2520, 6180, 1560, 435);
    cmdDone = new CommandButton("Done", this);
    place(cmdDone, 4320, 6180, 1560, 435);

    connect(lvwDisabilities, &QListWidget::itemChanged, this,
            &frmMultipleDisabilities::lvwDisabilities_ItemCheck);
    connect(lvwDisabilities, &QListWidget::itemClicked, this,
            &frmMultipleDisabilities::lvwDisabilities_ItemClick);
    connect(lvwDisabilities, &QListWidget::itemSelectionChanged, this, [this] {
        for (QListWidgetItem* item : lvwDisabilities->selectedItems())
            lvwDisabilities_ItemClick(item);
    });
    connect(txtKNumber, &QLineEdit::textEdited, this, [this] { markUnsaved(); });
    connect(dtTest, &QDateEdit::dateChanged, this, [this] {
        if (!m_filling)
            markUnsaved();
    });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
}

int frmMultipleDisabilities::exec() {
    Form_Load();
    Form_Activate();
    return QDialog::exec();
}

void frmMultipleDisabilities::Form_Load() {
    m_unloaded = false;
    // Each routine opens and closes its own connection, so none is held while
    // the window waits for the user.
    m_filling = true;
    dtTest->setDate(currentDate());
    m_filling = false;
}

void frmMultipleDisabilities::Form_Activate() {
    getDisabilities();
    getLearnerDisabilities();
}

// Runs a load routine over the rows of sql with the filling flag set, so that
// the window's own placing of items, ticks and dates is not taken for the
// user's; after a failed one the window refuses to save.
void frmMultipleDisabilities::fillFrom(const QString& routine, const QString& sql, int cursorType,
                                       int lockType,
                                       const std::function<void(ado::Recordset&)>& fill) {
    const bool loaded = trapErrors(kLocation, routine, [&] {
        ConnectionScope conn;
        ado::Recordset rs;
        rs.Open(sql, gConnection.get(), cursorType, lockType);
        m_filling = true;
        fill(rs);
        m_filling = false;
        rs.Close();
    });
    m_filling = false;
    if (!loaded)
        refuseSave();
}

void frmMultipleDisabilities::getDisabilities() {
    fillFrom("Get Disabilities Routine", "Select * from disabilities order by id",
             ado::adOpenStatic, ado::adLockReadOnly, [&](ado::Recordset& rs) {
                 lvwDisabilities->clear();
                 const QString primary = txtPrimary->text();
                 while (!rs.Eof()) {
                     const QString name = rs.Fields("Name").text();
                     auto* item = new QListWidgetItem(name);
                     item->setData(kKeyRole, "K" + rs.Fields("id").text());
                     item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
                     item->setCheckState(Qt::Unchecked);
                     item->setData(kTickedRole, false);
                     if (name == primary) {
                         item->setData(kPrimaryRole, true);
                         item->setForeground(readableTone(
                             toQColor(vbRed), lvwDisabilities->palette().color(QPalette::Base)));
                     }
                     lvwDisabilities->addItem(item);
                     rs.MoveNext();
                 }
             });
}

void frmMultipleDisabilities::getLearnerDisabilities() {
    fillFrom("Get Data Routine",
             "Select * from Multipledisabilities where learnerid = " + QString::number(gLearnerID),
             ado::adOpenKeyset, -1, [&](ado::Recordset& rs) {
                 if (!rs.Eof()) {
                     if (!rs.Fields("Knumber").isNull())
                         txtKNumber->setText(rs.Fields("Knumber").text());
                     if (!rs.Fields("testdate").isNull()) {
                         const QDate d = storedDate(rs.Fields("testdate").Value());
                         if (d.isValid())
                             dtTest->setDate(d);
                     }
                 }
                 while (!rs.Eof()) {
                     const QVariant disabilityId = rs.Fields("disabilityid").Value();
                     for (int i = 0; !disabilityId.isNull() && i < lvwDisabilities->count(); ++i) {
                         QListWidgetItem* item = lvwDisabilities->item(i);
                         if (disabilityIdOf(item) == disabilityId.toLongLong() &&
                             !isPrimaryItem(item)) {
                             item->setCheckState(Qt::Checked);
                             item->setData(kTickedRole, true);
                         }
                     }
                     rs.MoveNext();
                 }
             });
}

bool frmMultipleDisabilities::isPrimaryItem(const QListWidgetItem* item) const {
    return item->data(kPrimaryRole).toBool();
}

QString frmMultipleDisabilities::itemKey(const QListWidgetItem* item) {
    return item->data(kKeyRole).toString();
}

bool frmMultipleDisabilities::isUnsaved() const {
    return cmdSave->isUnsaved();
}

void frmMultipleDisabilities::markUnsaved() {
    cmdSave->setUnsaved(true);
}

void frmMultipleDisabilities::lvwDisabilities_ItemCheck(QListWidgetItem* item) {
    if (m_filling)
        return;
    const bool ticked = item->checkState() == Qt::Checked;
    if (ticked == item->data(kTickedRole).toBool())
        return; // a change other than the tick
    if (isPrimaryItem(item)) {
        // The primary disability cannot be an additional one.
        if (ticked) {
            m_filling = true;
            item->setCheckState(Qt::Unchecked);
            m_filling = false;
        }
        return;
    }
    item->setData(kTickedRole, ticked);
    markUnsaved();
}

void frmMultipleDisabilities::lvwDisabilities_ItemClick(QListWidgetItem* item) {
    if (item && isPrimaryItem(item) && item->isSelected())
        item->setSelected(false);
}

bool frmMultipleDisabilities::eventFilter(QObject* watched, QEvent* event) {
    // Any key typed into the K number marks the window unsaved; Tab only moves on.
    if (watched == txtKNumber && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Tab && key != Qt::Key_Backtab)
            markUnsaved();
    }
    return QDialog::eventFilter(watched, event);
}

void frmMultipleDisabilities::refuseSave() {
    // The learner's rows could not all be shown: a save would replace them.
    m_loadFailed = true;
    cmdSave->setEnabled(false);
}

bool frmMultipleDisabilities::cmdSave_Click() {
    if (m_loadFailed)
        return false;
    const QString id = QString::number(gLearnerID);
    const QString tail =
        ",'" + SqlText(txtKNumber->text()) + "',#" + dtTest->date().toString("yyyy-MM-dd") + "#)";
    // The rows the window shows are rewritten: those of the disabilities it
    // lists and the row that keeps only the K number (0). A row it cannot
    // show (a disability it does not list, or none) is kept as it is.
    QStringList shown = {QStringLiteral("0")};
    for (int i = 0; i < lvwDisabilities->count(); ++i) {
        if (const std::optional<qint64> itemId = disabilityIdOf(lvwDisabilities->item(i)))
            shown << QString::number(*itemId);
    }
    const bool saved = trapErrors(kLocation, "Save Data Routine", [&] {
        ConnectionScope conn;
        ado::TransactionScope transaction(*conn);
        conn->Execute("Delete from multipledisabilities where learnerid = " + id +
                      " AND DisabilityID IN (" + shown.join(',') + ")");
        bool written = false;
        for (int i = 0; i < lvwDisabilities->count(); ++i) {
            const QListWidgetItem* item = lvwDisabilities->item(i);
            if (item->checkState() == Qt::Checked && !isPrimaryItem(item)) {
                conn->Execute("INSERT into "
                              "MultipleDisabilities(LearnerID,DisabilityID,Knumber,Testdate)"
                              "VALUES(" +
                              id + "," + DropFirstChar(itemKey(item)) + tail);
                written = true;
            }
        }
        if (!written)
            conn->Execute(
                "INSERT into MultipleDisabilities(LearnerID,DisabilityID,Knumber,Testdate)"
                "VALUES(" +
                id + ",0" + tail);
        transaction.commit();
    });
    if (saved) {
        cmdSave->setBackColor(vbButtonFace);
        ShowDataSaved();
    }
    return saved;
}

bool frmMultipleDisabilities::cmdDone_Click() {
    m_leaving = true;
    const bool closed = ConfirmLeave(*cmdSave, *this);
    m_leaving = false;
    return closed;
}

void frmMultipleDisabilities::reject() {
    // Escape and the title bar's close ask like Done when there are unsaved edits.
    if (m_leaving)
        QDialog::reject();
    else
        cmdDone_Click();
}

void frmMultipleDisabilities::done(int result) {
    QDialog::done(result);
    Form_Unload();
}

void frmMultipleDisabilities::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_onUnload)
        m_onUnload();
}
