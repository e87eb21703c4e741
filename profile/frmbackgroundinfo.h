#pragma once
// Section 1: background information on the learner. Four grids: the early
// intervention services, the primary disability with the additional ones, the
// family and home situation, and the parent's understanding of the child. The
// texts are kept in TAV_Learner_Background_Info per learner and data year; the
// primary disability is written back into the host's Learner_Info, and the
// additional ones are kept by the additional-disabilities window.
#include "pages/assessmentpage.h"
#include "services/modcentralroutines.h"

class frmMultipleDisabilities;

class frmBackgroundInfo : public AssessmentPage {
    Q_OBJECT

public:
    explicit frmBackgroundInfo(QWidget* parent = nullptr);

    // Loads the page: the disability list, the additional disabilities and the
    // primary disability, and with PopulateAll the five texts too. Without it
    // (a refresh when the additional-disabilities window closes) a primary
    // disability the user chose and has not saved stays chosen.
    bool getBackground_Info(bool PopulateAll);
    // The names of the learner's additional disabilities joined by ", ".
    static QString loadDis(qint64 LID);
    // Checks the primary disability against the additional ones and writes
    // the page; false on a conflict or a failure (both already told).
    bool saveBackgroundInfo();

    // The button cell (3,2) opens the additional-disabilities window.
    void gridDisability_ButtonClicked(int col, int row, int buttonDown);
    // What the button hands the window before showing it: the primary
    // disability, the learner, and the refresh of this page when it closes.
    void prepareAdditionalDisabilities(frmMultipleDisabilities& window);

    // The drop-down's items in list order (entry 0 is not used).
    const QList<ListEntry>& disabilityList() const { return m_Disabilities; }
    const QString& primaryDisability() const { return m_PrimaryDisability; }

    Grid* gridEarlyIntervention = nullptr;
    Grid* gridDisability = nullptr;
    Grid* gridFamilySituation = nullptr;
    Grid* gridParent_Understanding = nullptr;

private:
    void checkPrimaryDisability(const QString& name, int id, bool IsLoad, bool& Conflict);
    void loadComboList(const QString& sql, QList<ListEntry>& list, const QString& idField,
                       const QString& nameField, int Col, int Row);
    static QStringList additionalDisabilities(qint64 LID);

    QList<ListEntry> m_Disabilities{ListEntry{}};
    QString m_PrimaryDisability;
    // The primary cell as the last load (or save) left it: the host's
    // LSENDisabilities is written only when the user has changed the cell, so
    // an id the list cannot show (a disability without a name, or none at all)
    // is kept by saves of the other texts.
    QString m_ShownPrimary;
    QStringList m_AdditionalDisabilities; // the names loadDis joined at the last load
};
