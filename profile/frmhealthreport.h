#pragma once
// A. HEALTH PROFESSIONAL REPORT, the first page of the diagnostic profile:
// the learner, the medical-record ticks and the kind of impairment kept in
// TAV_Health_Professional_Report, and the areas of impairment worked out from
// the criteria scores each time the page is activated (never stored).
#include "pages/assessmentpage.h"

class frmHealthReport : public AssessmentPage {
    Q_OBJECT

public:
    explicit frmHealthReport(QWidget* parent = nullptr);

    bool getDisability();
    bool getMedicalRecords();
    bool getImpairment_Area();
    bool saveMedicalRecord();

    // Recomputes the areas of impairment and moves to (2,3) of gridAreas.
    void Form_Activate() override;
    // Temp and Perm: ticking one unticks the other.
    void gridMedicalRecords_ButtonClicked(int col, int row, int buttonDown);

    // The learner's primary disability and the comments, as last read.
    const QString& disabilityName() const { return m_disability; }
    const QString& commentsText() const { return m_comments; }

    // gBirthDate (YYYYMMDD) as DD/MM/YYYY; empty unless it has eight characters.
    static QString birthDateText(const QString& yyyymmdd);

    Grid* gridMedicalRecords = nullptr;
    Grid* gridAreas = nullptr;

private:
    QString m_disability;
    QString m_comments;
};
