#pragma once
// The learner-selection windows on the demo school as the program starts
// them: the database named in the setting, the workspace's windows
// registered, ending the program counted; windows the test stands in for
// only count their openings.
#include "tests/common/fixture.h"

#include "platform/runtime.h"
#include "services/endprogram.h"
#include "services/formregistry.h"
#include "workspace/workspaceforms.h"

#include <QString>
#include <QStringList>
#include <functional>

class WorkspaceTest : public DemoDbTest {
protected:
    void SetUp() override {
        DemoDbTest::SetUp();
        SaveSetting("MarvikEmis", "Startup", "Database", dbPath);
        setEndProgramHook([this] { ++ends; });
        registerWorkspaceForms();
    }
    void TearDown() override {
        setEndProgramHook({});
        // The stubs capture this test's locals: leave harmless windows behind.
        for (const QString& name : stubbed)
            registerForm(name, [] { return QString(); });
        registerWorkspaceForms();
        DemoDbTest::TearDown();
    }

    // Replaces the window registered under name with one that only counts
    // (and runs body, when given).
    void stubForm(const QString& name, std::function<void()> body = {}) {
        stubbed << name;
        registerForm(name, [this, name, body] {
            opened << name;
            if (body)
                body();
            return QString();
        });
    }

    int ends = 0;
    QStringList opened;
    QStringList stubbed;
};
