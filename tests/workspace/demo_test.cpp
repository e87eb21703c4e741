// The demo school loads and holds the cases the learner lists rely on.
#include "tests/common/fixture.h"

using DemoSchool = DemoDbTest;

TEST_F(DemoSchool, LoadsHostTablesOnly) {
    EXPECT_EQ(rawRows(dbPath, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
              (QStringList{"Disabilities", "General_Info", "Learner_Info", "MultipleDisabilities",
                           "SchoolGrades"}));
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM General_Info"), "1");
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info"), "40");
    // The older learner numbers are distinct, so the key migration can match them.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(DISTINCT LearnerID) FROM Learner_Info"), "40");
}

TEST_F(DemoSchool, CoversTheListCases) {
    // Exactly one learner has neither special needs nor a grant number.
    EXPECT_EQ(rawRows(dbPath, "SELECT ID FROM Learner_Info WHERE LSENStatus = 1 AND "
                              "SocialGrantNo = ''"),
              QStringList{"17"});
    for (const char* status : {"C", "A"}) {
        for (int lsen : {1, 2, 3}) {
            EXPECT_NE(rawScalar(dbPath, QString("SELECT count(*) FROM Learner_Info WHERE Status "
                                                "= '%1' AND LSENStatus = %2")
                                            .arg(status)
                                            .arg(lsen)),
                      "0")
                << status << lsen;
        }
    }
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE SName IN ('de Beer', "
                                "'O''Neill')"),
              "2");
    // Text compares without regard to case, as in the host engine.
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Status = 'c'"),
              rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE Status = 'C'"));
    EXPECT_EQ(rawScalar(dbPath, "SELECT count(*) FROM Learner_Info WHERE length(BirthDate) <> 8"),
              "0");
}
