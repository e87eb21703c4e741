#include "profile/criteriapages.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// An activity row: its name, the three descriptions of limitation, and the
// activity it scores.
struct ActivityText {
    int row;
    int subSection;
    QString name;
    QString mild;
    QString moderate;
    QString severe;
};

struct DomainText {
    int row;
    QString title;
    QString guidance;
};

CriteriaPageLayout makePage(int page, int rows, const QString& filter,
                            const QList<DomainText>& domains, const QList<ActivityText>& activities,
                            const QList<CriteriaCell>& extra = {}) {
    CriteriaPageLayout p;
    p.page = page;
    p.formName = QStringLiteral("frmCriteriaSelection%1").arg(page);
    p.rows = rows;
    p.rangeFilter = filter;
    p.texts = scoresColumnHeadings();
    for (const DomainText& d : domains) {
        p.texts.append({1, d.row, d.title});
        p.texts.append({2, d.row, d.guidance});
    }
    for (const ActivityText& a : activities) {
        p.activities.append({a.row, a.subSection});
        p.texts.append({1, a.row, a.name});
        p.texts.append({2, a.row, a.mild});
        p.texts.append({3, a.row, a.moderate});
        p.texts.append({4, a.row, a.severe});
    }
    p.texts.append(extra);
    return p;
}

QString quotedQuestion(const QString& before, const QString& question, const QString& after) {
    return before + "\"" + question + "\"" + after;
}

QList<CriteriaPageLayout> buildPages() {
    QList<CriteriaPageLayout> pages;

    pages.append(makePage(
        1, 8, " AND Sub_Section < 6",
        {{2, "MOBILITY",
          "Can the child move his/her body, arms and legs freely and move around inside and "
          "outside of the home?"}},
        {{3, 1, "Transfer", "No difficulty, or may need help occasionally.",
          "Can move, but must be assisted, is slow, or gets very tired.", "Unable to move alone"},
         {4, 2, "Moving from one body position to another",
          "No difficulty, or may need help occasionally",
          "Can move, but must be assisted, is slow, or gets very tired", "Unable to move alone."},
         {5, 3, "Getting in and out of bed and/or chair (moving from one surface to another)",
          "Moves around without any difficulty, or slow, but manages without discomfort.",
          "Manages if holding onto something stable, or assisted.", "Unable to manage alone."},
         {6, 4, "Walking/wheel-chair",
          "Moves around without any difficulty and manages without discomfort.",
          "10 to 200 meters, with a stop for rest and some discomfort",
          "Unable to move around  alone, or very restricted e.g < than 10 meters; very slow."},
         {7, 5, "Stairs, or lift (if using wheelchair)", "No difficulty, or manages given time.",
          "Manages, but is slow and must stop to rest or be helped.",
          "Unable to climb steps or use a lift."}}));

    pages.append(makePage(
        2, 9, " AND Sub_Section > 5 AND Sub_Section < 12",
        {{2, "SELF CARE",
          "Can the child manage his/her own self care activities e.g eating, getting dressed "
          "etc?"}},
        {{3, 6, "Dressing:" + kCrLf + "Upper body",
          "Manages most; may ask for help with buttons or zip fastenings. Can undress.",
          "Needs help with underwear; fastenings and tie; or tries but not always successful.",
          "Attempts to put on shirt or jersey but does not usually manage."},
         {4, 7, "Lower Body", "May need help with shoes and socks/stockings.",
          "Manages pull-on and loose clothing; needs help with fastenings, shoes and belt.",
          "Cannot put on underwear or other items properly. Kicks off shoes."},
         {5, 8, "Washing", "Manages in reasonable time; or occasional help.",
          "Manages partly but not hair or feet.",
          "Assist with washing face and upper body; or cannot do this alone."},
         {6, 9, "Feeding", "Eats and drinks without help",
          "Can eat and drink but needs help with cutting food and uses a special cup.",
          "Can eat only with hands or drink from a straw; or unable to manage."},
         {7, 10, "Use of toilet", "Manages independently; needs occasional help.",
          "Requires help with handling paper and/or sanitary aids.",
          "Cannot do personal hygiene associated with toileting."},
         {8, 11, "Bowel and Bladder Control", "No problem or might lapse occasionally.",
          "Loses control occasionally; bowel control; no bladder control or vise-versa; uses "
          "aids; social embarrassment.",
          "Needs to be reminded regularly; or incontinent."}}));

    pages.append(makePage(
        3, 6, " AND Sub_Section > 11 AND Sub_Section < 15",
        {{2, "COMMUNICATION",
          "Can the child understand what people are saying to him/her and is he/she able to "
          "express himself/herself in a way that others understand?"}},
        {{3, 12,
          quotedQuestion("Understand:" + kCrLf,
                         "Can the child understand what other people are saying in his/her "
                         "family or with friends and neighbours",
                         " ?"),
          "Understands everything that is said or misses just a few meanings.",
          "Able to understand basic, simple sentences.",
          "Unable to understand any meaningful language."},
         {4, 13,
          quotedQuestion("Producing language:" + kCrLf,
                         "Can he/she make him/herself understood by others who know him/her as "
                         "well as strangers",
                         "?"),
          "Person is generally intelligent at the level of articulation, grammer and meaning.",
          "Able to produce basic, simple sentences.",
          "Difficulty due to severe disturbance or no voluntary control of speech muscles "
          "(dysarthria) or has no voice due to structural impairment ( e.g laryngectomy, "
          "tracheotomy, tracheostoma)."},
         {5, 14,
          quotedQuestion("Initiating and maintaining a conversation:" + kCrLf,
                         "Can you have a meaningful conversation with others who know you or "
                         "with strangers",
                         "?"),
          "Can hold a meaningful conversation.",
          "Can initiate and maintain a conversation about familiar subjects with some "
          "assistance from listener; Frequent failure to convey idea.",
          "Fragmentary expression with great need for inference, questioning and guessing by "
          "listener; Can engage only with alternative, augmentative communication."}}));

    pages.append(makePage(
        4, 9, " AND Sub_Section > 14 AND Sub_Section < 18",
        {{2, "VISION",
          "This domain must be assessed through a vision test + observation + asking of "
          "questions."},
         {6, "HEARING",
          "This domain must be assessed through an auditory test + observation + asking of "
          "questions. " +
              quotedQuestion("",
                             "How well can you hear when you are are alone, with one person, "
                             "and a group",
                             "?")}},
        {{4, 15,
          quotedQuestion("Visual acuity e.g. ability to identify objects and shapes at close "
                         "range and distance; thread a needle" +
                             kCrLf,
                         "Can you see well enough to recognise people and objects", "?"),
          "Some difficulty that is resolved with use of Spectacles;",
          "Recognises familliar person across the street; Can see to read and write (incl. "
          "learning these skills); 6/24 - 6/36;" +
              kCrLf + "Can manage to get around in a low lit area.",
          "Cannot recognise any object at arms length; familliar person across the street; "
          "Unable to read or write;  Cannot get around other than in familliar places; 6/60 - "
          "<3/60 in the better eye;"},
         {8, 16,
          quotedQuestion("Sound recognition" + kCrLf + "e.g words; nature; warning sounds ",
                         "Can you hear any noise nearby? If so, what is It?", ""),
          "Hears sounds and can usually identify them correctly.",
          "Cannot always localise sounds or hear warnings e.g alarm ringing; traffic.",
          "Severe difficulty or complete inability to hear warning sounds."},
         {9, 17,
          quotedQuestion("Following a conversation in noise.e.g subject and general content of "
                         "conversation with more than one person, and at varying distances" +
                             kCrLf,
                         "Are you able to hear and understand when people speak to you?", ""),
          "Follows conversation with one person and more than one if speech is clear even if "
          "there is some noise.",
          "Some difficulty in oral communication because of impairment especially if there is "
          "some noise and/or in a group; uses lip-reading.",
          "Conversation very limited or not possible except with one other person in a quiet "
          "room with good lighting; relies heavily on lip-reading."}},
        {{1, 3,
          "Classification of Visual impairment after maximum correction" + kCrLf +
              "6/24 - 6/36 = moderate" + kCrLf + "6/60 - 3/60 in the better eye = severe" + kCrLf +
              "Less than 3/60 in the better eye after maximum correction = blind"},
         {1, 7,
          "Decibel loss" + kCrLf + ">31dB persons under the age of 15 = Moderate" + kCrLf +
              ">41dB persons 15 years and older = Moderate" + kCrLf +
              ">61dB at 0,5; 1; 2 and 4KHz in the better ear = Severe"}}));
    pages.last().activeRow = 4;

    pages.append(makePage(
        5, 6, " AND Sub_Section > 17 AND Sub_Section < 22",
        {{2, "MENTAL-PSYCHIATRIC STATUS",
          "This domain must be assessed by a psychologist or psychiatrist, who considers the "
          "learner's overall psychological, social and school functioning. Limitations in "
          "functioning that are due to physical or environmental causes are not counted here."}},
        {{3, 18, "Interpersonal interactions and relationships",
          "Little or no difficulty in relating to others.",
          "Clear difficulty in forming and keeping social or school relationships.",
          "Serious impairment in relating to others."},
         {4, 19, "Basic interpersonal interactions",
          "Minor difficulty in everyday contact with others; generally copes well.",
          "Moderate difficulty in everyday contact with others.",
          "Contact with others is severely disturbed; unable to cope in most areas."},
         {5, 20, "Family relationships", "Family life is generally satisfactory.",
          "Regular conflict within the family.",
          "Major impairment in family relations and in several other areas of life."},
         {6, 21, "Handling stress and other psychological demands",
          "Brief and expected reactions to stress.",
          "Frequent reactions to stress, with moderate impairment in daily functioning.",
          "Risk of harm to self or others, or gross impairment in daily functioning."}}));

    pages.append(makePage(
        6, 12, " AND Sub_Section > 21",
        {{2, "COGNITION",
          "This domain is assessed with practical examples. Each provides a way of scoring to "
          "facilitate a decision about severity. DBST staff could assist with further "
          "verification."},
         {6, "HEALTH CARE NEEDS", "This domain needs to assessed by a medical practitioner."}},
        {{3, 22,
          quotedQuestion(
              "Problem solving" + kCrLf + "e.g simple task that needs solution or explanation ",
              "Listen to this puzzle and see if you can think of a way to solve it", "."),
          "Able to solve the problem; or, had the right idea; score between 8 and 10",
          "Didnt get the answer, even with one prompt, but went about solving the puzzle in a "
          "systematic way; score between 5 and 7.",
          "Unable to solve the problem, even with two prompts; score between 0 and 4."},
         {4, 23,
          quotedQuestion("Memory e.g short and long-term recall of events and personal details. ",
                         "How many objects that you saw in the picture card can you remember?", ""),
          "Fairly good recall: 12/15", "Moderate recall: 9/15" + kCrLf + "One prompt.",
          "Poor recall: Less than 7" + kCrLf + "Two prompts."},
         {7, 24, "Chronic illness", "Does not affect school attendance and participation.",
          "Occasional absence from school, needs frequent rest periods.",
          "Frequent absence due to hospitalisation or illness."},
         {8, 25, "Medication needed", "Can be administered by educator.",
          "Should be administered by health practitioner." + kCrLf + "One prompt.",
          "Requires medical practitioner or senior nurse." + kCrLf + "Two prompts."},
         {9, 26, "Surgery undergone", "Educator can support by reducing work load.",
          "Should be monitored by health practitioner.",
          "Should frequently be monitored by medical practitioner or senior nurse."},
         {10, 27, "Surgery still to be undergone",
          "Does not affect school attendance and participation.",
          "Occasional absence from school, needs frequent rest periods.",
          "Frequent absence due to hospitalisation or illness."},
         {11, 28, "Allergies", "Can be monitored by ordinary educator.",
          "Should be monitored by health practitioner.",
          "Intervention may be required from medical practitioner or senior nurse."}},
        {{1, 12, "Other medical conditions"}}));
    pages.last().otherRow = 12;

    return pages;
}

} // namespace

const CriteriaPageLayout& criteriaPage(int page) {
    static const QList<CriteriaPageLayout> pages = buildPages();
    Q_ASSERT(page >= 1 && page <= kCriteriaPages);
    return pages.at(page - 1);
}

QList<CriteriaCell> criteriaHeadingTexts() {
    return {{1, 1, "B. CRITERIA FOR SELECTION"},
            {1, 2,
             "Activity limitations:" + kCrLf + "1 = None or mild" + kCrLf + "2 = Moderate" + kCrLf +
                 "3 = Severe"}};
}

QList<CriteriaCell> scoresColumnHeadings() {
    return {{1, 1, "ACTIVITY DOMAIN"},
            {2, 1, "NONE or MILD" + kCrLf + "limitation"},
            {3, 1, "MODERATE" + kCrLf + "impairment / activity limitation"},
            {4, 1, "SEVERE impairment / activity limitation"},
            {5, 1, "SCORE"}};
}
