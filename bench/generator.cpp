#include "bench/generator.h"

#include "services/checktables.h"
#include "services/moddatabaseconnection.h"
#include "support/assessmentsupportpages.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <sqlite3.h>
#include <stdexcept>
#include <vector>

namespace {

// A small generator of our own, so that the same seed gives the same school
// with every compiler and standard library.
class Random {
public:
    explicit Random(quint32 seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    quint32 next() {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return quint32((m_state * 0x2545F4914F6CDD1Dull) >> 32);
    }
    // 0 .. n - 1
    int below(int n) { return int(next() % quint32(n)); }
    // lo .. hi, both included
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T, size_t N> const T& pick(const T (&items)[N]) { return items[below(int(N))]; }

private:
    quint64 m_state;
};

const char* const kFirstNames[] = {
    "Thabo",  "Lerato", "Sipho",      "Anika",     "Pieter",  "Naledi", "Johan",   "Zanele",
    "Megan",  "Kagiso", "Ruan",       "Palesa",    "Bongani", "Chloe",  "Mandla",  "Nomsa",
    "Jaco",   "Ayanda", "Refilwe",    "Tumelo",    "Karabo",  "Elna",   "Lwazi",   "Precious",
    "Dineo",  "Hendri", "Kyle",       "Siyabonga", "Amahle",  "Retha",  "Tshepo",  "Yusuf",
    "Fatima", "Liam",   "Nthabiseng", "Ockert",    "Wandile", "Zinhle", "Marlize", "Lindiwe"};
const char* const kSurnames[] = {
    "de Beer", "O'Neill", "Mokoena",   "van der Merwe", "Zulu",      "Botha",    "Nkosi",
    "Dlamini", "Smith",   "Pretorius", "Khumalo",       "Naidoo",    "Mahlangu", "du Plessis",
    "Ndlovu",  "Venter",  "Mthembu",   "Jacobs",        "Sithole",   "Coetzee",  "Molefe",
    "Nel",     "Maseko",  "Fourie",    "Hendricks",     "Mabaso",    "Kruger",   "Radebe",
    "Steyn",   "Ngcobo",  "D'Almeida", "Baloyi",        "Swanepoel", "Moloi",    "Williams",
    "Cele",    "Erasmus", "Shabalala", "Adams",         "Tau"};
const char* const kWords[] = {
    "learner",   "reads",      "slowly",      "with",      "support",     "from",
    "the",       "class",      "educator",    "and",       "needs",       "extra",
    "time",      "to",         "complete",    "written",   "tasks",       "mother",
    "works",     "away",       "during",      "week",      "grandmother", "cares",
    "for",       "three",      "siblings",    "at",        "home",        "attends",
    "regularly", "but",        "is",          "often",     "tired",       "after",
    "walking",   "far",        "school",      "enjoys",    "drawing",     "music",
    "soccer",    "friends",    "shy",         "in",        "groups",      "speaks",
    "isiZulu",   "English",    "Afrikaans",   "hearing",   "aid",         "spectacles",
    "clinic",    "visits",     "monthly",     "therapist", "reports",     "progress",
    "since",     "last",       "term",        "parents",   "ask",         "about",
    "homework",  "transport",  "ramps",       "toilets",   "library",     "remedial",
    "group",     "assessment", "portfolio",   "shows",     "improvement", "concentration",
    "short",     "periods",    "medication",  "morning",   "break",       "meals",
    "feeding",   "scheme",     "counselling", "social",    "worker",      "referral",
    "district",  "team"};
const char* const kProviders[] = {
    "Department of Health", "Local clinic",    "Department of Social Development", "Community NGO",
    "Private therapist",    "Church outreach", "District-based support team"};

// Up to maxLength characters of words, ending in a full stop.
QString sentence(Random& rnd, int minLength, int maxLength) {
    QString text;
    const int target = rnd.between(minLength, maxLength);
    while (text.size() < target) {
        QString word = QString::fromLatin1(rnd.pick(kWords));
        if (text.isEmpty())
            word[0] = word[0].toUpper();
        if (text.size() + 1 + word.size() + 1 > maxLength)
            break;
        if (!text.isEmpty())
            text += ' ';
        text += word;
    }
    return text + '.';
}

sqlite3* openRaw(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    return db;
}

void exec(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        const std::string message = err ? err : "?";
        sqlite3_free(err);
        throw std::runtime_error(message + " in: " + sql.left(200).toStdString());
    }
}

// One prepared INSERT, bound by position and run once per row.
class Insert {
public:
    Insert(sqlite3* db, const char* sql) : m_db(db) {
        if (sqlite3_prepare_v2(db, sql, -1, &m_st, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string(sqlite3_errmsg(db)) + " in: " + sql);
    }
    ~Insert() { sqlite3_finalize(m_st); }
    Insert(const Insert&) = delete;
    Insert& operator=(const Insert&) = delete;

    Insert& bind(qint64 v) {
        sqlite3_bind_int64(m_st, ++m_index, v);
        return *this;
    }
    Insert& bind(const QString& v) {
        const QByteArray utf8 = v.toUtf8();
        sqlite3_bind_text(m_st, ++m_index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        return *this;
    }
    void run() {
        if (sqlite3_step(m_st) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(m_db));
        sqlite3_reset(m_st);
        m_index = 0;
        ++m_rows;
    }
    qint64 rows() const { return m_rows; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_st = nullptr;
    int m_index = 0;
    qint64 m_rows = 0;
};

struct Learner {
    qint32 id;
    bool archived;
    bool listed;
    int primaryDisability; // Disabilities.id, 0 none
};

constexpr int kDisabilities = 12; // the demo's list
constexpr int kActivities = 28;   // scored on the criteria pages (29 "Other" has its own table)

// The host tables of the demo school, emptied of its learners (the demo's
// assessment and its tables go too: the program makes its tables itself).
void createHostTables(sqlite3* db, const QString& demoScriptPath) {
    QFile script(demoScriptPath);
    if (!script.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + demoScriptPath.toStdString());
    exec(db, QString::fromUtf8(script.readAll()));
    exec(db, "DELETE FROM MultipleDisabilities; DELETE FROM Learner_Info;");
    for (const SectionTable& table : kSectionTables)
        exec(db, QString("DROP TABLE IF EXISTS ") + table.name);
}

std::vector<Learner> writeLearners(sqlite3* db, const SchoolSize& size, Random& rnd, qint64& rows) {
    Insert learner(db, "INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, "
                       "BirthDate, Status, LSENStatus, SocialGrantNo, LSENDisabilities, "
                       "LearnerID) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
    Insert extra(db, "INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, "
                     "Testdate) VALUES (?,?,?,?)");
    std::vector<Learner> learners;
    const int total = size.listed + size.archived + size.notListed;
    int listedLeft = size.listed, archivedLeft = size.archived;
    for (qint32 id = 1; id <= total; ++id) {
        // The three kinds are mixed through the ID range, as years of
        // enrolment leave them; the counts come out exact.
        const int left = total - id + 1;
        const int roll = rnd.below(left);
        const bool listed = roll < listedLeft;
        const bool archived = !listed && roll < listedLeft + archivedLeft;
        if (listed)
            --listedLeft;
        else if (archived)
            --archivedLeft;

        int lsenStatus = 1;
        QString grant;
        if (listed || archived) {
            // In a list through the LSEN status or through a social grant.
            if (rnd.chance(80))
                lsenStatus = rnd.between(2, 3);
            else
                grant = QString("SG%1").arg(30000 + id);
        }
        const int primary = rnd.chance(85) ? rnd.between(1, kDisabilities) : 0;
        // A few grades the host no longer has (the list then shows no grade).
        const int grade = rnd.chance(2) ? 99 : rnd.between(1, 8);
        const QString birth = QString("%1%2%3")
                                  .arg(2005 + rnd.below(15))
                                  .arg(rnd.between(1, 12), 2, 10, QChar('0'))
                                  .arg(rnd.between(1, 28), 2, 10, QChar('0'));
        learner.bind(id)
            .bind(QString::fromUtf8(rnd.pick(kFirstNames)))
            .bind(QString::fromUtf8(rnd.pick(kSurnames)))
            .bind(grade)
            .bind(QString("%1").arg(id * 3, 6, 10, QChar('0')))
            .bind(birth)
            .bind(QString(archived ? "A" : "C"))
            .bind(lsenStatus)
            .bind(grant)
            .bind(primary)
            .bind(5000 + id);
        learner.run();

        if (listed || archived) {
            // Additional disabilities, never the primary one; or the
            // placeholder row of a learner saved with none.
            const int kind = rnd.below(10);
            if (kind < 4) {
                int first = rnd.between(1, kDisabilities);
                for (int n = rnd.between(1, 2); n > 0; --n, first = first % kDisabilities + 1) {
                    if (first == primary)
                        first = first % kDisabilities + 1;
                    extra.bind(id)
                        .bind(first)
                        .bind(QString("K%1").arg(100000 + id))
                        .bind(QString("%1-03-14").arg(2012 + rnd.below(12)));
                    extra.run();
                }
            } else if (kind < 6) {
                extra.bind(id).bind(0).bind(QString(" ")).bind(QString("2020-01-20"));
                extra.run();
            }
        }
        learners.push_back({id, archived, listed, primary});
    }
    rows = learner.rows() + extra.rows();
    return learners;
}

// One learner's assessment of one year, in every section table the pages
// write, as the pages write it (texts through SqlText: a blank is one space).
class AssessmentWriter {
public:
    explicit AssessmentWriter(sqlite3* db)
        : background(db, "INSERT INTO TAV_Learner_Background_Info (LearnerID, "
                         "Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, "
                         "Family_Situation, Parent_Understanding_Of_Child, Data_Year) VALUES "
                         "(?,?,?,?,?,?,?)"),
          health(db, "INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, "
                     "Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) "
                     "VALUES (?,?,?,?,?,?)"),
          criteria(db, "INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, "
                       "Data_Year) VALUES (?,?,?,?)"),
          criteriaOther(db, "INSERT INTO TAV_Criteria_For_Selection_Other (LearnerID, None_Mild, "
                            "Moderate, Severe, Score, Data_Year) VALUES (?,?,?,?,?,?)"),
          barriers(db, "INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, "
                       "Communication, Behavioural_Social_Competence, "
                       "Health_Wellness_Personal_Care, Physical_Access, Data_Year) VALUES "
                       "(?,?,?,?,?,?,?)"),
          community(db, "INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, "
                        "Barrier, Data_Year) VALUES (?,?,?,?)"),
          classroom(db, "INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, "
                        "Data_Year) VALUES (?,?,?,?)"),
          school(db, "INSERT INTO TAV_Factors_School (LearnerID, Enabling_Factor, Barrier, "
                     "Data_Year) VALUES (?,?,?,?)"),
          isp(db, "INSERT INTO TAV_ISP (LearnerID, [Action], Target, Strategy, "
                  "Achievement_Criteria, Person_Responsible, Review_Date, Review_Comments, "
                  "Data_Year) VALUES (?,?,?,?,?,?,?,?,?)"),
          supportLevel(db, "INSERT INTO TAV_Assessment_Supp_Req (LearnerID, GridID, Support_Area, "
                           "[Level], Data_Year) VALUES (?,?,?,?,?)"),
          rating(db, "INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, "
                     "Rating, Data_Year) VALUES (?,?,?,?)"),
          suppNeeds(db, "INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, "
                        "Psycho_Social_Support, Data_Year) VALUES (?,?,?,?)"),
          supportNeeds(db, "INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, "
                           "Low_Moderate_High, School_Need, School_Available, Data_Year) VALUES "
                           "(?,?,?,?,?,?)"),
          ilst(db, "INSERT INTO TAV_ILST_Intervention_Records (LearnerID, "
                   "Whole_School_Development, Educator_Training, Learner_Support, "
                   "Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, "
                   "Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, "
                   "Circuit_Manager_Reason, Data_Year) VALUES (?,?,?,?,?,?,?,?,?,?,?,?)"),
          review(db, "INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, "
                     "ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, "
                     "ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, "
                     "Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, "
                     "Data_Year) VALUES (?,?,?,?,?,?,?,?,?,?,?)"),
          strategy(db, "INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, "
                       "Support_Needed, Support_Level, School_Steps, Learner_Steps, "
                       "Person_Responsible, Budget, Data_Year) VALUES (?,?,?,?,?,?,?,?,?)"),
          actionReview(db, "INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Outcome, "
                           "Designation, Review_Date, Data_Year) VALUES (?,?,?,?,?,?,?)") {}

    void write(const Learner& l, int year, Random& rnd) {
        writeBackground(l, year, rnd);
        writeProfile(l, year, rnd);
    }

    // Section 1: the background row.
    void writeBackground(const Learner& l, int year, Random& rnd) {
        background.bind(l.id)
            .bind(sentence(rnd, 20, 120))
            .bind(QString::fromUtf8(rnd.pick(kProviders)))
            .bind(QString("0%1 555 %2").arg(rnd.between(11, 89)).arg(rnd.between(1000, 9999)))
            .bind(sentence(rnd, 150, 600))
            .bind(sentence(rnd, 150, 600))
            .bind(year);
        background.run();
    }

    // The diagnostic and extended profiles.
    void writeProfile(const Learner& l, int year, Random& rnd) {
        health.bind(l.id)
            .bind(QString(rnd.chance(30) ? "TEMP" : "PERM"))
            .bind(rnd.chance(70) ? -1 : 0)
            .bind(rnd.chance(50) ? -1 : 0)
            .bind(year)
            .bind(sentence(rnd, 40, 400));
        health.run();

        for (int activity = 1; activity <= kActivities; ++activity) {
            criteria.bind(l.id).bind(activity).bind(rnd.between(1, 3)).bind(year);
            criteria.run();
        }
        criteriaOther.bind(l.id)
            .bind(sentence(rnd, 20, 120))
            .bind(sentence(rnd, 20, 120))
            .bind(sentence(rnd, 20, 120))
            .bind(rnd.between(1, 3))
            .bind(year);
        criteriaOther.run();

        barriers.bind(l.id);
        for (int i = 0; i < 5; ++i)
            barriers.bind(sentence(rnd, 80, 500));
        barriers.bind(year);
        barriers.run();

        for (Insert* factors : {&community, &classroom, &school}) {
            for (int n = rnd.between(2, 4); n > 0; --n) {
                const int kind = rnd.below(4); // both texts, or only one of them
                factors->bind(l.id)
                    .bind(kind == 2 ? QString(" ") : sentence(rnd, 15, 120))
                    .bind(kind == 3 ? QString(" ") : sentence(rnd, 15, 120))
                    .bind(year);
                factors->run();
            }
        }
    }

    // Stages 2 to 4: the support plan, the assessment of support
    // requirements, the school request, the ILST record and the action plan.
    void writeSupport(const Learner& l, int year, Random& rnd) {
        for (int kind = 1; kind <= 5; ++kind) {
            for (int n = rnd.between(1, 2); n > 0; --n) {
                isp.bind(l.id)
                    .bind(kind)
                    .bind(sentence(rnd, 20, 120))
                    .bind(sentence(rnd, 20, 160))
                    .bind(sentence(rnd, 20, 120))
                    .bind(QString::fromUtf8(rnd.pick(kProviders)))
                    .bind(QString("%1/%2/%3")
                              .arg(rnd.between(1, 28), 2, 10, QChar('0'))
                              .arg(rnd.between(1, 12), 2, 10, QChar('0'))
                              .arg(year))
                    .bind(sentence(rnd, 10, 120))
                    .bind(year);
                isp.run();
            }
        }

        // Every level cell of the four assessment pages.
        const QStringList levels = levelList().split('\t');
        for (int page = 1; page <= kSupportPages; ++page) {
            for (const SupportItem& item : supportPage(page).items) {
                for (int area : item.areas) {
                    supportLevel.bind(l.id)
                        .bind(item.gridId)
                        .bind(area)
                        .bind(levels[rnd.below(int(levels.size()))])
                        .bind(year);
                    supportLevel.run();
                }
            }
        }
        for (int area = 1; area <= 5; ++area) {
            rating.bind(l.id).bind(area).bind(rnd.between(1, 5)).bind(year);
            rating.run();
        }
        suppNeeds.bind(l.id).bind(sentence(rnd, 20, 200)).bind(sentence(rnd, 20, 200)).bind(year);
        suppNeeds.run();

        const char* const needLevels[] = {"LOW", "MODERATE", "HIGH LEVEL"};
        for (int area = 1; area <= 5; ++area) {
            for (int n = rnd.between(1, 2); n > 0; --n) {
                supportNeeds.bind(l.id)
                    .bind(area)
                    .bind(QString::fromLatin1(rnd.pick(needLevels)))
                    .bind(sentence(rnd, 15, 120))
                    .bind(rnd.chance(30) ? QString(" ") : sentence(rnd, 15, 120))
                    .bind(year);
                supportNeeds.run();
            }
        }

        ilst.bind(l.id)
            .bind(sentence(rnd, 40, 400))
            .bind(sentence(rnd, 40, 400))
            .bind(sentence(rnd, 40, 400))
            .bind(rnd.chance(80) ? -1 : 0)
            .bind(sentence(rnd, 40, 300))
            .bind(sentence(rnd, 40, 400))
            .bind(rnd.chance(70) ? -1 : 0)
            .bind(sentence(rnd, 20, 200))
            .bind(rnd.chance(60) ? -1 : 0)
            .bind(sentence(rnd, 20, 200))
            .bind(year);
        ilst.run();

        review.bind(l.id)
            .bind(rnd.chance(80) ? -1 : 0)
            .bind(rnd.chance(70) ? -1 : 0)
            .bind(sentence(rnd, 20, 200))
            .bind(sentence(rnd, 20, 200))
            .bind(sentence(rnd, 10, 120))
            .bind(rnd.between(0, 3))
            .bind(sentence(rnd, 20, 200))
            .bind(rnd.chance(70) ? -1 : 0)
            .bind(sentence(rnd, 20, 200))
            .bind(year);
        review.run();

        const char* const supportLevels[] = {"L", "M", "H"};
        for (int line = 1, lines = rnd.between(2, 5); line <= lines; ++line) {
            strategy.bind(l.id)
                .bind(line)
                .bind(sentence(rnd, 15, 120))
                .bind(QString::fromLatin1(rnd.pick(supportLevels)))
                .bind(sentence(rnd, 30, 300))
                .bind(sentence(rnd, 30, 300))
                .bind(QString::fromUtf8(rnd.pick(kProviders)))
                .bind(QString("R %1").arg(rnd.between(1, 50) * 100))
                .bind(year);
            strategy.run();
        }
        for (int line = 1, lines = rnd.between(1, 4); line <= lines; ++line) {
            actionReview.bind(l.id)
                .bind(line)
                .bind(QString::fromUtf8(rnd.pick(kFirstNames)) + " " +
                      QString::fromUtf8(rnd.pick(kSurnames)))
                .bind(sentence(rnd, 30, 300))
                .bind(QString(rnd.chance(50) ? "Educator" : "ILST coordinator"))
                .bind(QString("%1 November %2").arg(rnd.between(1, 28)).arg(year))
                .bind(year);
            actionReview.run();
        }
    }

    qint64 rows() const {
        qint64 n = 0;
        for (const Insert* i :
             {&background, &health, &criteria, &criteriaOther, &barriers, &community, &classroom,
              &school, &isp, &supportLevel, &rating, &suppNeeds, &supportNeeds, &ilst, &review,
              &strategy, &actionReview})
            n += i->rows();
        return n;
    }

private:
    Insert background, health, criteria, criteriaOther, barriers, community, classroom, school;
    Insert isp, supportLevel, rating, suppNeeds, supportNeeds, ilst, review, strategy, actionReview;
};

} // namespace

SchoolSize SchoolSize::forLearners(int listed, int currentYear) {
    SchoolSize size;
    size.listed = listed;
    // A quarter as many archived and unlisted learners, as far as the IDs
    // of all of them stay within kMaxLearnerId.
    const int others = qMin(listed / 4, qMax(0, (kMaxLearnerId - listed) / 2));
    size.archived = others;
    size.notListed = others;
    size.lastYear = currentYear - 1;
    size.firstYear = currentYear - 15;
    return size;
}

SchoolSize SchoolSize::backgroundYears(int listed, int years, int currentYear) {
    SchoolSize size = SchoolSize::forLearners(listed, currentYear);
    size.firstYear = currentYear - years;
    size.backgroundOnly = true;
    return size;
}

GeneratedSchool generateSchool(const QString& path, const SchoolSize& size,
                               const QString& demoScriptPath) {
    QElapsedTimer timer;
    timer.start();
    GeneratedSchool out;
    out.path = path;
    QFile::remove(path);

    Random rnd(size.seed);
    std::vector<Learner> learners;
    {
        sqlite3* db = openRaw(path);
        exec(db, "BEGIN");
        createHostTables(db, demoScriptPath);
        learners = writeLearners(db, size, rnd, out.learnerRows);
        exec(db, "COMMIT");
        sqlite3_close_v2(db);
    }

    // The program's own tables, as the program makes them.
    const QString savedPath = gDbPath;
    gDbPath = path;
    checkTables();
    gDbPath = savedPath;

    sqlite3* db = openRaw(path);
    {
        AssessmentWriter writer(db);
        // A school captures year by year, learner after learner. Archived
        // learners left some years ago: their assessments stop then.
        for (int year = size.firstYear; year <= size.lastYear; ++year) {
            exec(db, "BEGIN");
            for (const Learner& l : learners) {
                if (l.listed || (l.archived && year <= size.lastYear - 3)) {
                    if (size.backgroundOnly) {
                        writer.writeBackground(l, year, rnd);
                        continue;
                    }
                    writer.write(l, year, rnd);
                    writer.writeSupport(l, year, rnd);
                }
            }
            exec(db, "COMMIT");
        }
        out.assessmentRows = writer.rows();
    }
    sqlite3_close_v2(db);

    // The listed learner in the middle of the ID range.
    int seen = 0;
    for (const Learner& l : learners) {
        if (l.listed && ++seen == size.listed / 2 + 1) {
            out.sampleLearnerId = l.id;
            break;
        }
    }
    out.fileBytes = QFileInfo(path).size();
    out.seconds = timer.nsecsElapsed() / 1e9;
    return out;
}
