#include "services/clsdatainsert.h"

#include "platform/sqlquote.h"
#include "services/moddatabaseconnection.h"

namespace {

struct Described {
    int id;
    const char* description;
};

struct Activity {
    int id;
    int domain;
    const char* description;
};

struct LimitDesc {
    int id;
    const char* mild;
    const char* moderate;
    const char* severe;
};

} // namespace

void clsDataInsert::InsertIA() {
    static const Described rows[] = {
        {1, "Mobility"},  {2, "Self-care"},         {3, "Communication"},
        {4, "Vision"},    {5, "Hearing"},           {6, "Mental-psychiatric diagnosis"},
        {7, "Cognition"}, {8, "Health care needs"},
    };
    m_Columns = "ID, DESCRIPTION";
    m_Rows.clear();
    for (const Described& r : rows)
        m_Rows << "(" + QString::number(r.id) + ", " + quotedExact(r.description) + ")";
    InsertRows("TAV_lu_Impairment_Area");
}

void clsDataInsert::InsertADDS() {
    static const Activity rows[] = {
        {1, 1, "Transfer"},
        {2, 1, "Moving from one body position to another"},
        {3, 1, "Getting in and out of bed"},
        {4, 1, "Walking/wheelchair"},
        {5, 1, "Stairs or lift"},
        {6, 2, "Dressing: Upper body"},
        {7, 2, "Dressing: Lower body"},
        {8, 2, "Washing"},
        {9, 2, "Feeding"},
        {10, 2, "Use the toilet"},
        {11, 2, "Bowel and Bladder Control"},
        {12, 3, "Understanding"},
        {13, 3, "Producing language"},
        {14, 3, "Initiating and maintaining a conversation"},
        {15, 4, "Visual acuity"},
        {16, 5, "Sound recognition"},
        {17, 5, "Following a conversation in noise"},
        {18, 6, "Interpersonal interactions and relationships"},
        {19, 6, "Basic interpersonal interactions"},
        {20, 6, "Family relationships"},
        {21, 6, "Handling stress and other psychological demands"},
        {22, 7, "Problem solving"},
        {23, 7, "Memory"},
        {24, 8, "Chronic illness"},
        {25, 8, "Medication needed"},
        {26, 8, "Surgery undergone"},
        {27, 8, "Surgery still to be undergone"},
        {28, 8, "Allergies"},
        {29, 8, "Other"},
    };
    m_Columns = "ID,Activity_Domain,DESCRIPTION";
    m_Rows.clear();
    for (const Activity& r : rows)
        m_Rows << "(" + QString::number(r.id) + ", " + QString::number(r.domain) + ", " +
                      quotedExact(r.description) + ")";
    InsertRows("TAV_lu_Activity_Domain_Sub_Section");
}

void clsDataInsert::InsertADLD() {
    // Texts as the assessment forms print them; "\r\n" where a text runs on a new line.
    static const LimitDesc rows[] = {
        {1, "No difficulty, or may need help occasionally.",
         "Can move, but must be assisted, is slow, or gets very tired.", "Unable to move alone"},
        {2, "No difficulty, or may need help occasionally",
         "Can move, but must be assisted, is slow, or gets very tired", "Unable to move alone."},
        {3, "Moves around without any difficulty, or slow, but manages without discomfort.",
         "Manages if holding onto something stable, or assisted.", "Unable to manage alone."},
        {4, "Moves around without any difficulty and manages without discomfort.",
         "10 to 200 meters, with a stop for rest and some discomfort",
         "Unable to move around  alone, or very restricted e.g < than 10 meters; very slow."},
        {5, "No difficulty, or manages given time.",
         "Manages, but is slow and must stop to rest or be helped.",
         "Unable to climb steps or use a lift."},
        {6, "Manages most; may ask for help with buttons or zip fastenings. Can undress.",
         "Needs help with underwear; fastenings and tie; or tries but not always successful.",
         "Attempts to put on shirt or jersey but does not usually manage."},
        {7, "May need help with shoes and socks/stockings.",
         "Manages pull-on and loose clothing; needs help with fastenings, shoes and belt.",
         "Cannot put on underwear or other items properly. Kicks off shoes."},
        {8, "Manages in reasonable time; or occasional help.",
         "Manages partly but not hair or feet.",
         "Assist with washing face and upper body; or cannot do this alone."},
        {9, "Eats and drinks without help",
         "Can eat and drink but needs help with cutting food and uses a special cup.",
         "Can eat only with hands or drink from a straw; or unable to manage."},
        {10, "Manages independently; needs occasional help.",
         "Requires help with handling paper and/or sanitary aids.",
         "Cannot do personal hygiene associated with toileting."},
        {11, "No problem or might lapse occasionally.",
         "Loses control occasionally; bowel control; no bladder control or vise-versa; uses aids; "
         "social embarrassment.",
         "Needs to be reminded regularly; or incontinent."},
        {12, "Understands everything that is said or misses just a few meanings.",
         "Able to understand basic, simple sentences.",
         "Unable to understand any meaningful language."},
        {13, "Person is generally intelligent at the level of articulation, grammer and meaning.",
         "Able to produce basic, simple sentences.",
         "Difficulty due to severe disturbance or no voluntary control of speech muscles "
         "(dysarthria) or has no voice due to structural impairment ( e.g laryngectomy, "
         "tracheotomy, tracheostoma)."},
        {14, "Can hold a meaningful conversation.",
         "Can initiate and maintain a conversation about familiar subjects with some assistance "
         "from listener; Frequent failure to convey idea.",
         "Fragmentary expression with great need for inference, questioning and guessing by "
         "listener; Can engage only with alternative, augmentative communication."},
        {15, "Some difficulty that is resolved with use of Spectacles;",
         "Recognises familliar person across the street; Can see to read and write (incl. learning "
         "these skills); 6/24 - 6/36;\r\nCan manage to get around in a low lit area.",
         "Cannot recognise any object at arms length; familliar person across the street; Unable "
         "to read or write;  Cannot get around other than in familliar places; 6/60 - <3/60 in the "
         "better eye;"},
        {16, "Hears sounds and can usually identify them correctly.",
         "Cannot always localise sounds or hear warnings e.g alarm ringing; traffic; >31dB <15 "
         "years; >41dB > 15 years;",
         "Severe difficulty or complete inability to hear warning sounds; 61dB a 0,5; 1; 2 and "
         "4KHz in better ear"},
        {17,
         "Follows conversation with one person and more than one if speech is clear even if there "
         "is some noise.",
         "Some difficulty in oral communication because of impairment especially if there is some "
         "noise and/or in a group; uses lip-reading.",
         "Conversation very limited or not possible except with one other person in a quiet room "
         "with good lighting; relies heavily on lip-reading."},
        {18, "Little or no difficulty in relating to others.",
         "Clear difficulty in forming and keeping social or school relationships.",
         "Serious impairment in relating to others."},
        {19, "Minor difficulty in everyday contact with others; generally copes well.",
         "Moderate difficulty in everyday contact with others.",
         "Contact with others is severely disturbed; unable to cope in most areas."},
        {20, "Family life is generally satisfactory.", "Regular conflict within the family.",
         "Major impairment in family relations and in several other areas of life."},
        {21, "Brief and expected reactions to stress.",
         "Frequent reactions to stress, with moderate impairment in daily functioning.",
         "Risk of harm to self or others, or gross impairment in daily functioning."},
        {22, "Able to solve the problem; or, had the right idea; score between 8 and 10",
         "Didnt get the answer, even with one prompt, but went about solving the puzzle in a "
         "systematic way; score between 5 and 7.",
         "Unable to solve the problem, even with two prompts; score between 0 and 4."},
        {23, "Fairly good recall: 12/15", "Moderate recall: 9/15\r\nOne prompt.",
         "Poor recall: Less than 7\r\nTwo prompts."},
        {24, "Does not affect school attendance and participation.",
         "Occasional absence from school, needs frequent rest periods.",
         "Frequent absence due to hospitalisation or illness."},
        {25, "Can be administered by educator.",
         "Should be administered by health practitioner.\r\nOne prompt.",
         "Requires medical practitioner or senior nurse.\r\nTwo prompts."},
        {26, "Educator can support by reducing work load.",
         "Should be monitored by health practitioner.",
         "Should frequently be monitored by medical practitioner or senior nurse."},
        {27, "Does not affect school attendance and participation.",
         "Occasional absence from school, needs frequent rest periods.",
         "Frequent absence due to hospitalisation or illness."},
        {28, "Can be monitored by ordinary educator.",
         "Should be monitored by health practitioner.",
         "Intervention may be required from medical practitioner or senior nurse."},
    };
    m_Columns = "ID,DescMild,DescMod,DescSevere";
    m_Rows.clear();
    for (const LimitDesc& r : rows)
        m_Rows << "(" + QString::number(r.id) + ", " + quotedExact(r.mild) + ", " +
                      quotedExact(r.moderate) + ", " + quotedExact(r.severe) + ")";
    InsertRows("TAV_lu_Activity_Domain_Limit_Desc");
}

void clsDataInsert::InsertISP() {
    static const Described rows[] = {
        {1, "Whole school development intervention"},
        {2, "Educator training or other educator support to be given "},
        {3, "Learner support to be given"},
        {4, "Consultation with parents/caregivers"},
        {5, "Support to be provided by DBST"},
    };
    m_Columns = "ID, DESCRIPTION";
    m_Rows.clear();
    for (const Described& r : rows)
        m_Rows << "(" + QString::number(r.id) + ", " + quotedExact(r.description) + ")";
    InsertRows("TAV_lu_ISP_Actions");
}

void clsDataInsert::InsertRows(const QString& tableName) {
    for (const QString& row : m_Rows)
        gConnection->Execute("INSERT INTO " + tableName + " (" + m_Columns + ") VALUES " + row);
}
