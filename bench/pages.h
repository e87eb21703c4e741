#pragma once
// The assessment pages the benchmark loads and saves, each made off-screen.
#include <QList>
#include <QString>
#include <functional>
#include <memory>

class AssessmentPage;

struct BenchPage {
    QString name;
    std::function<std::unique_ptr<AssessmentPage>()> make;
};

QList<BenchPage> benchPages();
