-- Demo school, with fictional data: the host product's tables that the
-- program reads and writes, and a complete assessment of four of its learners
-- (Zanele Dlamini, Thabo de Beer, Anika van der Merwe and Ruan Khumalo) in
-- the year the database is made in and the year before, so that every page
-- and every report has something to show.
-- Load with: sqlite3 school.db < demo/school.sql

CREATE TABLE General_Info (
    SchoolName TEXT COLLATE NOCASE,
    District TEXT COLLATE NOCASE,
    Circuit TEXT COLLATE NOCASE,
    EmisCode TEXT COLLATE NOCASE
);

CREATE TABLE SchoolGrades (
    ID INTEGER PRIMARY KEY,
    Name TEXT COLLATE NOCASE,
    schoolgrade TEXT COLLATE NOCASE
);

CREATE TABLE Disabilities (
    id INTEGER PRIMARY KEY,
    Name TEXT COLLATE NOCASE
);

CREATE TABLE Learner_Info (
    ID INTEGER PRIMARY KEY,
    FName TEXT COLLATE NOCASE,
    SName TEXT COLLATE NOCASE,
    Grade INTEGER,
    AccessionNo TEXT COLLATE NOCASE,
    BirthDate TEXT COLLATE NOCASE,
    Status TEXT COLLATE NOCASE,
    LSENStatus INTEGER,
    SocialGrantNo TEXT COLLATE NOCASE,
    LSENDisabilities INTEGER,
    LearnerID INTEGER
);

CREATE TABLE MultipleDisabilities (
    LearnerID INTEGER,
    DisabilityID INTEGER,
    Knumber TEXT COLLATE NOCASE,
    Testdate TEXT COLLATE NOCASE
);

INSERT INTO General_Info (SchoolName, District, Circuit, EmisCode) VALUES
('Kliprivier Combined School', 'Riverbend District', 'Circuit 7', '700123456');

INSERT INTO SchoolGrades (ID, Name, schoolgrade) VALUES
(1, 'Grade R', 'Yes'),
(2, 'Grade 1', 'Yes'),
(3, 'Grade 2', 'Yes'),
(4, 'Grade 3', 'No'),
(5, 'Grade 4', 'Yes'),
(6, 'Grade 5', 'No'),
(7, 'Grade 6', 'Yes'),
(8, 'Grade 7', 'No');

INSERT INTO Disabilities (id, Name) VALUES
(1, 'Attention Deficit Disorder'),
(2, 'Autism Spectrum Disorder'),
(3, 'Behaviour Disorder'),
(4, 'Blind'),
(5, 'Cerebral Palsy'),
(6, 'Deaf'),
(7, 'Epilepsy'),
(8, 'Hard of Hearing'),
(9, 'Mild Intellectual Disability'),
(10, 'Partially Sighted'),
(11, 'Physical Disability'),
(12, 'Specific Learning Disability');

-- Learner 17 (LSENStatus 1, no social grant number) belongs to no list.
INSERT INTO Learner_Info (ID, FName, SName, Grade, AccessionNo, BirthDate, Status,
                          LSENStatus, SocialGrantNo, LSENDisabilities, LearnerID) VALUES
(1, 'Thabo', 'de Beer', 1, '003', '20080101', 'C', 2, '', 1, 5011),
(2, 'Lerato', 'O''Neill', 2, '006', '20090608', 'C', 3, '', 2, 5022),
(3, 'Sipho', 'Mokoena', 3, '009', '20101115', 'C', 1, 'SG40003', 3, 5033),
(4, 'Anika', 'van der Merwe', 4, '012', '20110422', 'C', 2, 'SG31028', 4, 5044),
(5, 'Pieter', 'Zulu', 5, '015', '20120901', 'A', 3, '', 5, 5055),
(6, 'Naledi', 'Botha', 6, '018', '20130208', 'C', 1, 'SG40006', 0, 5066),
(7, 'Johan', 'Nkosi', 7, '021', '20140715', 'C', 2, '', 7, 5077),
(8, 'Zanele', 'Dlamini', 8, '024', '20151222', 'C', 3, 'SG31056', 8, 5088),
(9, 'Megan', 'Smith', 1, '027', '20160501', 'C', 1, 'SG40009', 9, 5099),
(10, 'Kagiso', 'Pretorius', 2, '030', '20081008', 'A', 2, '', 10, 5110),
(11, 'Ruan', 'Khumalo', 3, '033', '20090315', 'C', 3, '', 11, 5121),
(12, 'Ayanda', 'Naidoo', 4, '036', '20100822', 'C', 1, 'SG31084', 0, 5132),
(13, 'Chloe', 'du Plessis', 5, '039', '20110101', 'C', 2, '', 1, 5143),
(14, 'Bongani', 'Mahlangu', 6, '042', '20120608', 'C', 3, '', 2, 5154),
(15, 'Liam', 'Fourie', 7, '045', '20131115', 'A', 1, 'SG40015', 3, 5165),
(16, 'Nomsa', 'Ndlovu', 8, '048', '20140422', 'C', 2, 'SG31112', 4, 5176),
(17, 'Tshepo', 'Jacobs', 1, '051', '20150901', 'C', 1, '', 5, 5187),
(18, 'Emma', 'Molefe', 2, '054', '20160208', 'C', 1, 'SG40018', 0, 5198),
(19, 'Dineo', 'Venter', 3, '057', '20080715', 'C', 2, '', 7, 5209),
(20, 'Connor', 'MacDonald', 4, '060', '20091222', 'A', 3, 'SG31140', 8, 5220),
(21, 'Lindiwe', 'Sithole', 5, '063', '20100501', 'C', 1, 'SG40021', 9, 5231),
(22, 'Werner', 'le Roux', 6, '066', '20111008', 'C', 2, '', 10, 5242),
(23, 'Palesa', 'Mthembu', 7, '069', '20120315', 'C', 3, '', 11, 5253),
(24, 'Aiden', 'Coetzee', 8, '072', '20130822', 'C', 1, 'SG31168', 0, 5264),
(25, 'Refilwe', 'Radebe', 1, '075', '20140101', 'A', 2, '', 1, 5275),
(26, 'Jacques', 'Steyn', 2, '078', '20150608', 'C', 3, '', 2, 5286),
(27, 'Mpho', 'Mabaso', 3, '081', '20161115', 'C', 1, 'SG40027', 3, 5297),
(28, 'Sarah', 'Kruger', 4, '084', '20080422', 'C', 2, 'SG31196', 4, 5308),
(29, 'Lwazi', 'Ngcobo', 5, '087', '20090901', 'C', 3, '', 5, 5319),
(30, 'Carla', 'Swart', 6, '090', '20100208', 'A', 1, 'SG40030', 0, 5330),
(31, 'Themba', 'Baloyi', 7, '093', '20110715', 'C', 2, '', 7, 5341),
(32, 'Nadia', 'Marais', 8, '096', '20121222', 'C', 3, 'SG31224', 8, 5352),
(33, 'Sibusiso', 'Cele', 1, '099', '20130501', 'C', 1, 'SG40033', 9, 5363),
(34, 'Elise', 'Erasmus', 2, 'A0034', '20141008', 'C', 2, '', 10, 5374),
(35, 'Kabelo', 'Shabalala', 3, 'A0035', '20150315', 'A', 3, '', 11, 5385),
(36, 'Marike', 'van Wyk', 4, 'A0036', '20160822', 'C', 1, 'SG31252', 0, 5396),
(37, 'Vusi', 'Maseko', 5, 'A0037', '20080101', 'C', 2, '', 1, 5407),
(38, 'Hannah', 'Olivier', 6, 'A0038', '20090608', 'C', 3, '', 2, 5418),
(39, 'Karabo', 'Zwane', 7, 'A0039', '20101115', 'C', 1, 'SG40039', 3, 5429),
(40, 'Daniel', 'Adams', 8, 'A0040', '20110422', 'A', 2, 'SG31280', 4, 5440);

INSERT INTO MultipleDisabilities (LearnerID, DisabilityID, Knumber, Testdate) VALUES
(1, 3, 'K1001', '2024-03-14'),
(1, 8, 'K1001', '2024-03-14'),
(2, 0, 'K1002', '2023-11-02'),
(4, 12, 'K1004', '2025-02-20'),
(8, 6, 'K1008', '2024-08-09'),
(8, 11, 'K1008', '2024-08-09'),
(8, 1, 'K1008', '2024-08-09');

-- ---------------------------------------------------------------------------
-- The assessment.
--
-- The program's section tables, made here as its table check makes them (a
-- test holds them to it). When the program starts, the check finds them,
-- adds their indexes, and makes and fills its lookup tables.
--
-- Every row is as the pages save it: texts with their quotes doubled and a
-- blank entry as one blank; the health report's Yes/No answers as -1 and 0,
-- those of the other pages as 1 and 0. Data_Year 0 is the year the database
-- is made in and -1 the year before; the statements at the end make them
-- calendar years, and dates written "dd/mm/{YEAR}" dates of their row's year.
-- Zanele Dlamini (learner 8) has long texts and three additional
-- disabilities besides her primary one.

CREATE TABLE TAV_Learner_Background_Info (
    ID INTEGER CONSTRAINT Background_Info_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Nature_Of_Support_Received TEXT COLLATE NOCASE CHECK (length(Nature_Of_Support_Received) <= 255),
    Name_Of_Provider TEXT COLLATE NOCASE CHECK (length(Name_Of_Provider) <= 255),
    Contact_Details TEXT COLLATE NOCASE CHECK (length(Contact_Details) <= 255),
    Family_Situation TEXT COLLATE NOCASE,
    Parent_Understanding_Of_Child TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_Health_Professional_Report (
    ID INTEGER CONSTRAINT Health_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Impairment_Type TEXT COLLATE NOCASE CHECK (length(Impairment_Type) <= 4),
    Medical_Record_Viewed INTEGER,
    Medical_Record_Attached INTEGER,
    Comments TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_Learner_Impairment_Area (
    ID INTEGER CONSTRAINT Imp_Area_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Impairment_Area INTEGER,
    Mild_Imp TEXT COLLATE NOCASE CHECK (length(Mild_Imp) <= 255),
    Moderate_Imp TEXT COLLATE NOCASE CHECK (length(Moderate_Imp) <= 255),
    Severe_Imp TEXT COLLATE NOCASE CHECK (length(Severe_Imp) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_Criteria_For_Selection (
    ID INTEGER CONSTRAINT Criteria_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Sub_Section INTEGER,
    Score INTEGER,
    Data_Year INTEGER
);

CREATE TABLE TAV_Criteria_For_Selection_Other (
    ID INTEGER CONSTRAINT Criteria_Other_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    None_Mild TEXT COLLATE NOCASE,
    Moderate TEXT COLLATE NOCASE,
    Severe TEXT COLLATE NOCASE,
    Score INTEGER,
    Data_Year INTEGER
);

CREATE TABLE TAV_Learning_And_Development_Barriers (
    ID INTEGER CONSTRAINT Learning_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Learning TEXT COLLATE NOCASE,
    Communication TEXT COLLATE NOCASE,
    Behavioural_Social_Competence TEXT COLLATE NOCASE,
    Health_Wellness_Personal_Care TEXT COLLATE NOCASE,
    Physical_Access TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_Factors_Community (
    ID INTEGER CONSTRAINT Community_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Positive_Influence TEXT COLLATE NOCASE CHECK (length(Positive_Influence) <= 255),
    Barrier TEXT COLLATE NOCASE CHECK (length(Barrier) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_Factors_Classroom (
    ID INTEGER CONSTRAINT Community_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Enabling_Factor TEXT COLLATE NOCASE CHECK (length(Enabling_Factor) <= 255),
    Barrier TEXT COLLATE NOCASE CHECK (length(Barrier) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_Factors_School (
    ID INTEGER CONSTRAINT Community_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Enabling_Factor TEXT COLLATE NOCASE CHECK (length(Enabling_Factor) <= 255),
    Barrier TEXT COLLATE NOCASE CHECK (length(Barrier) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_ISP (
    ID INTEGER CONSTRAINT ISP_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    [Action] INTEGER,
    Target TEXT COLLATE NOCASE CHECK (length(Target) <= 255),
    Strategy TEXT COLLATE NOCASE CHECK (length(Strategy) <= 255),
    Achievement_Criteria TEXT COLLATE NOCASE CHECK (length(Achievement_Criteria) <= 255),
    Person_Responsible TEXT COLLATE NOCASE CHECK (length(Person_Responsible) <= 255),
    Review_Date TEXT COLLATE NOCASE CHECK (length(Review_Date) <= 30),
    Review_Comments TEXT COLLATE NOCASE CHECK (length(Review_Comments) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_Assessment_Supp_Req (
    ID INTEGER CONSTRAINT ASR_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    GridID INTEGER,
    Support_Area INTEGER,
    [Level] TEXT COLLATE NOCASE CHECK (length([Level]) <= 20),
    Data_Year INTEGER
);

CREATE TABLE TAV_Assessment_Supp_Req_Rating (
    ID INTEGER CONSTRAINT ASRIR_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Support_Area INTEGER,
    Rating INTEGER,
    Data_Year INTEGER
);

CREATE TABLE TAV_Learner_Support_Needs (
    ID INTEGER CONSTRAINT ASLEARNER_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Support_Area INTEGER,
    Low_Moderate_High TEXT COLLATE NOCASE CHECK (length(Low_Moderate_High) <= 20),
    School_Need TEXT COLLATE NOCASE CHECK (length(School_Need) <= 255),
    School_Available TEXT COLLATE NOCASE CHECK (length(School_Available) <= 255),
    Data_Year INTEGER
);

CREATE TABLE TAV_ILST_Intervention_Records (
    ID INTEGER CONSTRAINT ILST_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Whole_School_Development TEXT COLLATE NOCASE,
    Educator_Training TEXT COLLATE NOCASE,
    Learner_Support TEXT COLLATE NOCASE,
    Learner_Parent_Discussed INTEGER,
    Learner_Parent_Response TEXT COLLATE NOCASE,
    ILST_Analysis_To_DBST TEXT COLLATE NOCASE,
    Principal_Approve_Request_DBST INTEGER,
    Principal_Reason TEXT COLLATE NOCASE,
    Circuit_Manager_Endores INTEGER,
    Circuit_Manager_Reason TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_DBST_Review_ILST_Request (
    ID INTEGER CONSTRAINT REV_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    ISLT_Coord_Educ_Req_Made INTEGER,
    Parent_Accept_Recom INTEGER,
    Parent_Reason TEXT COLLATE NOCASE,
    ISLT_Approved_Reason TEXT COLLATE NOCASE,
    ISLT_Not_Approved_Reason TEXT COLLATE NOCASE,
    DBST_Support_School_Site INTEGER,
    Senior_Manager_Approval TEXT COLLATE NOCASE,
    School_Discussed_Parent INTEGER,
    School_Discussed_Comment TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_DBST_Support_Strategy (
    ID INTEGER CONSTRAINT STR_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Support_Needed TEXT COLLATE NOCASE CHECK (length(Support_Needed) <= 255),
    Support_Area INTEGER,
    Support_Level TEXT COLLATE NOCASE CHECK (length(Support_Level) <= 1),
    School_Steps TEXT COLLATE NOCASE,
    Learner_Steps TEXT COLLATE NOCASE,
    Person_Responsible TEXT COLLATE NOCASE CHECK (length(Person_Responsible) <= 255),
    Timeframe TEXT COLLATE NOCASE CHECK (length(Timeframe) <= 255),
    Budget TEXT COLLATE NOCASE CHECK (length(Budget) <= 100),
    School_Outcome TEXT COLLATE NOCASE CHECK (length(School_Outcome) <= 255),
    Learner_Outcome TEXT COLLATE NOCASE CHECK (length(Learner_Outcome) <= 255),
    Designation TEXT COLLATE NOCASE CHECK (length(Designation) <= 255),
    Review_Date TEXT,
    Data_Year INTEGER
);

CREATE TABLE TAV_Action_Review (
    ID INTEGER CONSTRAINT STR_K PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    [Action] INTEGER,
    Name TEXT COLLATE NOCASE CHECK (length(Name) <= 255),
    Outcome TEXT COLLATE NOCASE,
    Designation TEXT COLLATE NOCASE CHECK (length(Designation) <= 255),
    Review_Date TEXT COLLATE NOCASE,
    Data_Year INTEGER
);

CREATE TABLE TAV_Learner_Supp_Needs (
    ID INTEGER CONSTRAINT ASLEARNER_PK PRIMARY KEY AUTOINCREMENT,
    LearnerID INTEGER,
    Disability_Descr TEXT COLLATE NOCASE CHECK (length(Disability_Descr) <= 255),
    Psycho_Social_Support TEXT COLLATE NOCASE CHECK (length(Psycho_Social_Support) <= 255),
    Data_Year INTEGER
);

-- Section 1: background information (frmBackgroundInfo).
INSERT INTO TAV_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year) VALUES
(8, 'Audiology assessment and hearing aids fitted in Grade 2; speech therapy every second week at the district hospital; physiotherapy for the left hip once a month.', 'Riverbend Audiology Clinic', 'Ms P. Naidoo, audiologist, 011 555 0142 (Tuesdays and Thursdays)', 'Zanele lives with her mother, Mrs Thandiwe Dlamini, her grandmother and two younger brothers in a three-roomed house in the township about six kilometres from the school. Her father works on a mine in the North West and comes home once a month; he sends money when he can, but the household depends mostly on the grandmother''s old age grant and the child support grants of the three children. Mrs Dlamini works shifts as a cashier at a supermarket in town and often only gets home after seven in the evening, so the grandmother looks after the children in the afternoons. The grandmother speaks isiZulu only and has little schooling; she cares for Zanele warmly but cannot help with homework. The family has no car. Zanele walks to the taxi rank with her brothers and takes a minibus taxi to school, which is difficult for her on days when her hip is sore and on rainy days when the path is muddy. Zanele''s hearing loss was only confirmed when she was in Grade 2, after a teacher noticed that she did not respond when spoken to from behind. Before that the family thought she was stubborn or daydreaming, and Zanele was often punished at home for not listening. The family attended two counselling sessions at the clinic after the diagnosis, which the mother says helped them to understand that Zanele is not naughty. There is a television in the home that is usually on loudly in the evenings, and the house is crowded and noisy, which makes it very hard for Zanele to follow conversations or concentrate on homework. She has no quiet place to work and usually does her homework at the kitchen table. The younger brothers (Grade 3 and Grade R) sometimes tease her about her hearing aids. The family is active in the local church, where Zanele sings in the children''s choir; the pastor''s wife has taken an interest in her and helps her with reading on Saturday mornings. There have been no reports of neglect or abuse. The household was affected by a shack fire at the neighbours'' home last winter, when the family''s documents, including Zanele''s clinic card and audiology reports, were lost; copies had to be requested from the hospital, which delayed the renewal of her hearing aid batteries for about two months.', 'Mrs Dlamini understands that Zanele has a permanent hearing loss in both ears, worse in the left ear, and that she needs her hearing aids every day. She has attended every meeting the school has arranged, even when she had to swap shifts to do so, and she signs the communication book regularly. She is worried that Zanele will fall further behind in high school and asks whether Zanele should go to a school for the deaf; the ILST explained the options of full-service schools and special schools and the mother would prefer Zanele to stay close to home with her friends if the support can be given here. She does not fully understand the attention difficulties and sometimes believes that Zanele could concentrate if she tried harder; the class educator has shared strategies for short homework sessions with breaks. The mother would like to learn some South African Sign Language so that the family can support Zanele, and asked the school for information about evening classes. The grandmother believes that the hearing loss is the result of an illness as a baby and that traditional medicine may help; the mother does not agree and follows the audiologist''s advice. The parents agree that Zanele''s physiotherapy for her hip should continue and the mother has asked the school to excuse Zanele from long-distance running in physical education. Both parents have signed consent for the DBST to assess Zanele and to share reports with the audiology clinic.', 0),
(1, 'Assessed by the district psychologist; attends a play therapy group at the guidance centre on Wednesday afternoons.', 'Riverbend DBST', 'Mr S. Mthembu, DBST psychologist, 011 555 0190', 'Thabo lives with both parents and an older sister in a house near the school. His father is a builder who works long hours and his mother sells clothing from home. Thabo''s parents separated for six months last year and have since reconciled; his behaviour at school was most difficult during that time. The home is Afrikaans and English speaking. Thabo has little routine in the evenings and often goes to bed late after watching television.', 'Both parents accept that Thabo finds it hard to sit still and to wait his turn and they want him to do well. The father believes that firmer discipline will help; the mother has read about attention difficulties and asked for a referral. They agreed to a daily report card between school and home and to a hearing test after the school screening showed a mild loss.', 0),
(4, 'Braille readiness programme and orientation and mobility lessons from the itinerant teacher of the visually impaired, twice a week.', 'Mosaic Low Vision Centre', 'Mrs L. Coetzee, itinerant teacher, 011 555 0177', 'Anika lives with her mother and stepfather on a smallholding outside town. Her mother is a nurse at the provincial hospital and her stepfather farms vegetables. She has a twin brother in the same grade. The family is supportive and has adapted the home so that Anika can move about safely; she has her own room with a desk and a reading lamp.', 'The parents understand Anika''s eye condition well and have been to the low vision centre with her several times. They are keen for her to learn Braille while she still has some useful sight, and they ask for her schoolwork to be sent home in large print so that they can help her.', 0),
(11, 'Physiotherapy and occupational therapy at the district hospital every month; wheelchair supplied by the provincial health department two years ago.', 'Riverbend DBST', 'Mrs N. Radebe, DBST therapist, 011 555 0190', 'Ruan lives with his grandparents, who are his legal guardians, in a flat above his grandfather''s workshop. His mother works in Gauteng and visits during the holidays. The family receives a care dependency grant. The grandparents carry Ruan up and down the stairs, which is becoming difficult for them as he grows.', 'The grandparents accept Ruan''s condition and are proud of his schoolwork. They want him to stay at the school with his friends and asked the school to make the toilets and the classroom door wheelchair friendly. They do not always manage to take him to therapy because of transport.', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Learner_Background_Info (LearnerID, Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, Data_Year)
SELECT LearnerID, Nature_Of_Support_Received, Name_Of_Provider, Contact_Details, Family_Situation, Parent_Understanding_Of_Child, -1 FROM TAV_Learner_Background_Info WHERE Data_Year = 0;

-- DP: the health professional report (frmHealthReport); an empty
-- impairment type where no box is ticked.
INSERT INTO TAV_Health_Professional_Report (LearnerID, Impairment_Type, Medical_Record_Viewed, Medical_Record_Attached, Data_Year, Comments) VALUES
(8, 'PERM', -1, -1, 0, 'Zanele was seen at the audiology clinic and by the school nurse during the first term. Audiometry shows a severe sensorineural hearing loss in the left ear and a moderate to severe loss in the right ear; the loss has not changed much since the last assessment. She wears behind-the-ear hearing aids in both ears, which were serviced in February; the left aid gives her little benefit in noise. With the aids she hears speech at a normal level in a quiet room at close range, but she misses a great deal in the classroom, on the playground and in assembly. She relies strongly on lip reading and on seeing the speaker''s face, and she becomes tired towards the end of the school day. An FM system was recommended and the application has been submitted through the DBST. Her speech is intelligible to familiar listeners but she leaves out word endings and soft consonants, and her vocabulary is about two years behind that of her classmates in both isiZulu and English. The speech therapist sees her every second week and sends home a list of words to practise. Zanele also has a mild left hemiparesis after a hip operation in early childhood. She walks independently but tires on long distances and stairs and has pain in the left hip in cold weather. She uses her right hand for writing; her writing is slow and she needs more time to copy from the board. The physiotherapist recommends that she is excused from long-distance running, that she has a locker on the ground floor and that she is allowed to leave class a few minutes early when the class moves between venues. The district psychologist assessed her attention and found difficulties with sustained attention and impulsivity that are more than can be explained by the hearing loss alone. No medication is prescribed; a behaviour support plan with short tasks, clear routines and frequent checking for understanding is recommended, with a review at the end of the year. General health is good. She had two ear infections this year, treated at the clinic, during which she could not wear the left hearing aid for a week each time; the educator should be told when this happens so that she can be seated to favour her right ear. Vision was screened and is normal. She is not on any chronic medication and has no known allergies.'),
(1, 'TEMP', -1, 0, 0, 'Mild conductive hearing loss in both ears after repeated ear infections; grommets recommended. Attention and behaviour difficulties confirmed by the psychologist; to be reviewed after the hearing has been treated.'),
(4, 'PERM', -1, -1, 0, 'Retinitis pigmentosa. Visual acuity 6/60 in both eyes with a narrow visual field; night blindness. Uses a hand magnifier and large print (N24). Referred for a Braille assessment.'),
(11, 'PERM', -1, 0, 0, 'Spastic diplegia (cerebral palsy). Uses a manual wheelchair and can transfer with help. Needs assistance with toileting. Fine motor skills adequate for writing with a thick pencil.'),
(8, 'PERM', -1, 0, -1, 'Audiology follow-up after the hearing aids were fitted. Zanele wears both aids most days but the batteries often run flat. Severe loss in the left ear, moderate in the right. Speech therapy started in the second term. Pain in the left hip during winter; physiotherapy was arranged. The teacher reports that she is often distracted and does not finish her work.'),
(1, '', 0, 0, -1, 'No report from a health professional yet; the school screening showed a possible hearing loss and a referral to the clinic was made.'),
(4, 'PERM', -1, 0, -1, 'Retinitis pigmentosa diagnosed at the eye clinic. Visual acuity 6/36. Large print (N18) recommended.'),
(11, 'PERM', -1, 0, -1, 'Cerebral palsy (spastic diplegia). Wheelchair user. Physiotherapy monthly.');

-- DP: the criteria for selection, pages 1 to 6: a score per activity.
INSERT INTO TAV_Criteria_For_Selection (LearnerID, Sub_Section, Score, Data_Year) VALUES
(8, 1, 2, 0), (8, 2, 2, 0), (8, 3, 2, 0), (8, 4, 2, 0), (8, 5, 2, 0), (8, 6, 1, 0), (8, 7, 1, 0),
(8, 8, 1, 0), (8, 9, 1, 0), (8, 10, 1, 0), (8, 11, 1, 0), (8, 12, 3, 0), (8, 13, 3, 0), (8, 14, 3, 0),
(8, 15, 1, 0), (8, 16, 3, 0), (8, 17, 3, 0), (8, 18, 2, 0), (8, 19, 2, 0), (8, 20, 2, 0), (8, 21, 2, 0),
(8, 22, 2, 0), (8, 23, 1, 0), (8, 24, 2, 0), (8, 25, 2, 0), (8, 26, 2, 0), (8, 27, 2, 0), (8, 28, 2, 0),
(1, 1, 1, 0), (1, 2, 1, 0), (1, 3, 1, 0), (1, 4, 1, 0), (1, 5, 1, 0), (1, 6, 1, 0), (1, 7, 1, 0),
(1, 8, 1, 0), (1, 9, 1, 0), (1, 10, 1, 0), (1, 11, 1, 0), (1, 12, 2, 0), (1, 13, 2, 0), (1, 14, 2, 0),
(1, 15, 1, 0), (1, 16, 2, 0), (1, 17, 2, 0), (1, 18, 3, 0), (1, 19, 3, 0), (1, 20, 3, 0), (1, 21, 3, 0),
(1, 22, 2, 0), (1, 23, 2, 0), (1, 24, 1, 0), (1, 25, 2, 0), (1, 26, 1, 0), (1, 27, 1, 0), (1, 28, 1, 0),
(4, 1, 2, 0), (4, 2, 2, 0), (4, 3, 2, 0), (4, 4, 2, 0), (4, 5, 2, 0), (4, 6, 2, 0), (4, 7, 2, 0),
(4, 8, 1, 0), (4, 9, 1, 0), (4, 10, 1, 0), (4, 11, 1, 0), (4, 12, 1, 0), (4, 13, 1, 0), (4, 14, 1, 0),
(4, 15, 3, 0), (4, 16, 1, 0), (4, 17, 1, 0), (4, 18, 1, 0), (4, 19, 1, 0), (4, 20, 1, 0), (4, 21, 1, 0),
(4, 22, 2, 0), (4, 23, 2, 0), (4, 24, 1, 0), (4, 25, 1, 0), (4, 26, 1, 0), (4, 27, 1, 0), (4, 28, 1, 0),
(11, 1, 3, 0), (11, 2, 3, 0), (11, 3, 3, 0), (11, 4, 3, 0), (11, 5, 3, 0), (11, 6, 3, 0), (11, 7, 3, 0),
(11, 8, 2, 0), (11, 9, 2, 0), (11, 10, 3, 0), (11, 11, 3, 0), (11, 12, 1, 0), (11, 13, 1, 0), (11, 14, 1, 0),
(11, 15, 1, 0), (11, 16, 1, 0), (11, 17, 1, 0), (11, 18, 2, 0), (11, 19, 2, 0), (11, 20, 2, 0), (11, 21, 2, 0),
(11, 22, 1, 0), (11, 23, 1, 0), (11, 24, 2, 0), (11, 25, 2, 0), (11, 26, 2, 0), (11, 27, 2, 0), (11, 28, 2, 0),
(8, 1, 3, -1), (8, 2, 3, -1), (8, 3, 2, -1), (8, 4, 3, -1), (8, 5, 3, -1), (8, 6, 1, -1), (8, 7, 1, -1),
(8, 8, 1, -1), (8, 9, 1, -1), (8, 10, 1, -1), (8, 11, 1, -1), (8, 12, 3, -1), (8, 13, 3, -1), (8, 14, 3, -1),
(8, 15, 1, -1), (8, 16, 3, -1), (8, 17, 3, -1), (8, 18, 3, -1), (8, 19, 3, -1), (8, 20, 3, -1), (8, 21, 3, -1),
(8, 22, 2, -1), (8, 23, 2, -1), (8, 24, 2, -1), (8, 25, 2, -1), (8, 26, 2, -1), (8, 27, 2, -1), (8, 28, 2, -1),
(1, 1, 1, -1), (1, 2, 1, -1), (1, 3, 1, -1), (1, 4, 1, -1), (1, 5, 1, -1), (1, 6, 1, -1), (1, 7, 1, -1),
(1, 8, 1, -1), (1, 9, 1, -1), (1, 10, 1, -1), (1, 11, 1, -1), (1, 12, 2, -1), (1, 13, 2, -1), (1, 14, 2, -1),
(1, 15, 1, -1), (1, 16, 2, -1), (1, 17, 2, -1), (1, 18, 3, -1), (1, 19, 3, -1), (1, 20, 3, -1), (1, 21, 3, -1),
(1, 22, 3, -1), (1, 23, 3, -1), (1, 24, 1, -1), (1, 25, 1, -1), (1, 26, 1, -1), (1, 27, 1, -1), (1, 28, 1, -1),
(4, 1, 2, -1), (4, 2, 2, -1), (4, 3, 2, -1), (4, 4, 2, -1), (4, 5, 2, -1), (4, 6, 1, -1), (4, 7, 1, -1),
(4, 8, 1, -1), (4, 9, 1, -1), (4, 10, 1, -1), (4, 11, 1, -1), (4, 12, 1, -1), (4, 13, 1, -1), (4, 14, 1, -1),
(4, 15, 3, -1), (4, 16, 1, -1), (4, 17, 1, -1), (4, 18, 1, -1), (4, 19, 1, -1), (4, 20, 1, -1), (4, 21, 1, -1),
(4, 22, 2, -1), (4, 23, 2, -1), (4, 24, 1, -1), (4, 25, 1, -1), (4, 26, 1, -1), (4, 27, 1, -1), (4, 28, 1, -1),
(11, 1, 3, -1), (11, 2, 3, -1), (11, 3, 3, -1), (11, 4, 3, -1), (11, 5, 3, -1), (11, 6, 3, -1), (11, 7, 3, -1),
(11, 8, 3, -1), (11, 9, 3, -1), (11, 10, 3, -1), (11, 11, 3, -1), (11, 12, 1, -1), (11, 13, 1, -1), (11, 14, 1, -1),
(11, 15, 1, -1), (11, 16, 1, -1), (11, 17, 1, -1), (11, 18, 2, -1), (11, 19, 2, -1), (11, 20, 2, -1), (11, 21, 2, -1),
(11, 22, 1, -1), (11, 23, 1, -1), (11, 24, 2, -1), (11, 25, 2, -1), (11, 26, 2, -1), (11, 27, 2, -1), (11, 28, 2, -1);

-- The "Other" activity of the last criteria page.
INSERT INTO TAV_Criteria_For_Selection_Other (LearnerID, None_Mild, Moderate, Severe, Score, Data_Year) VALUES
(8, 'Ear infections treated at the clinic', 'Hip pain in cold weather', 'Ear infection with discharge: cannot wear the left hearing aid', 2, 0),
(8, ' ', 'Hip pain in cold weather', 'Ear infections with discharge', 3, -1),
(11, ' ', 'Pressure sores from long sitting; needs to change position', ' ', 2, 0);

-- Section 2: barriers to learning and development (frmExtendedProfile1).
INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, Communication, Behavioural_Social_Competence, Health_Wellness_Personal_Care, Physical_Access, Data_Year) VALUES
(8, 'Zanele reads about two years below her grade in English and about one year below in isiZulu. She decodes slowly and does not always understand what she has read, mainly because of her limited vocabulary. She misses instructions given to the whole class, especially when the educator speaks while writing on the board or walks around the room, and she then copies from her neighbours or sits without working. In Mathematics she manages calculations well but struggles with word problems. Her work is often incomplete because she copies slowly from the board and loses her place when she looks up to lip-read. Oral tests and listening comprehension are not fair measures of what she knows.', 'Zanele''s spoken language is behind that of her peers and her speech is not always clear to strangers. She avoids speaking in front of the class and rarely asks questions because she is afraid of answering wrongly. She does not hear her name called in a noisy classroom and often misunderstands jokes and quick exchanges among friends. She has started to learn some South African Sign Language from a deaf classmate and enjoys it.', 'Zanele is friendly and eager to please but withdraws when she does not follow a conversation. Some learners in her class tease her about her hearing aids and call her names; she has come home crying twice this term. She can be impulsive, calls out and leaves her seat, and finds it hard to wait her turn, which leads to conflict with classmates during group work. She responds well to praise and to a clear routine.', 'Her hearing aids need new batteries every week and the family cannot always afford them. She becomes tired by the afternoon and has headaches on days when she has concentrated hard on lip reading. She has had ear infections during which she could not wear the left aid. She looks after her aids well and can change the batteries herself.', 'Zanele can move around the school on her own but tires on the stairs to the first-floor classrooms and has hip pain in cold weather. Her classroom is next to the busy road and the corridor, and the noise makes listening very hard. The sports field is far from the classrooms and the path is uneven.', 0),
(1, 'Thabo struggles to finish written work and to follow instructions of more than one step. He is behind in early reading.', 'He speaks a lot but interrupts others and struggles to listen; a mild hearing loss may play a part.', 'He is often in conflict with classmates at break, grabs equipment and finds it hard to share and take turns. He responds well to one-to-one attention.', 'Frequent ear infections; often tired because he goes to bed late.', ' ', 0),
(4, 'Anika cannot read standard print or see the board. Her reading is slow even with large print and a magnifier, and she reverses letters when she writes.', ' ', 'Anika is shy and sometimes left out of games at break because she cannot see the ball.', 'Eye strain and headaches when she reads for long; poor vision in dim light.', 'She bumps into furniture that has been moved and finds steps without marked edges dangerous.', 0),
(11, 'Ruan keeps up with the work but writes slowly and tires; he needs more time for written tasks.', ' ', 'Ruan is sociable and well liked, but cannot join in many games at break.', 'He needs help to use the toilet and must change position often to avoid pressure sores.', 'The classroom door is narrow, there are steps at the toilets and the tuck shop, and the playground is not paved, so Ruan cannot reach all areas in his wheelchair.', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Learning_And_Development_Barriers (LearnerID, Learning, Communication, Behavioural_Social_Competence, Health_Wellness_Personal_Care, Physical_Access, Data_Year)
SELECT LearnerID, Learning, Communication, Behavioural_Social_Competence, Health_Wellness_Personal_Care, Physical_Access, -1 FROM TAV_Learning_And_Development_Barriers WHERE Data_Year = 0;

-- Section 2: community, classroom and school factors (frmExtendedProfile2);
-- the community factors are the support plan's barriers and strengths too.
INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year) VALUES
(8, 'Mother attends every meeting and signs the communication book', 'Mother works late shifts and is seldom home in the afternoons', 0),
(8, 'Grandmother looks after the children after school', 'Grandmother speaks isiZulu only and cannot help with homework', 0),
(8, 'Pastor''s wife helps with reading on Saturdays', 'Crowded and noisy home with the television on loudly', 0),
(8, 'Child support grants and the grandmother''s pension', 'Household cannot always afford hearing aid batteries', 0),
(8, 'Friendly neighbours walk with her to the taxi rank', 'Long walk and a minibus taxi to school', 0),
(8, 'Sings in the church children''s choir', 'Brothers tease her about her hearing aids', 0),
(8, ' ', 'Documents and clinic reports lost in a neighbour''s shack fire', 0),
(1, 'Both parents are involved and want him to do well', 'Parents separated for a time last year', 0),
(1, 'Older sister helps with homework', 'Late bedtime and little routine in the evenings', 0),
(1, ' ', 'Father believes harsh discipline will solve the problem', 0),
(4, 'Supportive mother who is a nurse', ' ', 0),
(4, 'Home adapted so she can move about safely', 'Smallholding far from town and from the low vision centre', 0),
(4, 'Twin brother in the same class', ' ', 0),
(11, 'Loving grandparents who are his guardians', 'Grandparents are getting older and carry him up the stairs', 0),
(11, 'Care dependency grant', 'No transport to therapy appointments', 0),
(11, 'Mother visits during the holidays', 'Mother works far away', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Factors_Community (LearnerID, Positive_Influence, Barrier, Data_Year)
SELECT LearnerID, Positive_Influence, Barrier, -1 FROM TAV_Factors_Community WHERE Data_Year = 0;

INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES
(8, 'Educator faces the class and writes key words on the board', 'Classroom next to the road and the corridor: very noisy', 0),
(8, 'Seated in the front row, away from the window', 'Educator walks around while speaking', 0),
(8, 'A deaf classmate is teaching her some sign language', 'Large class of 46 learners', 0),
(8, 'Peer buddy who shares notes with her', 'Group work is noisy and she cannot follow', 0),
(1, 'Small reading group with the learner support educator', 'Large class with few adults', 0),
(1, 'Daily report card with the class educator', 'Long tasks with many steps', 0),
(4, 'Large print worksheets prepared by the educator', 'Board work in small writing', 0),
(4, 'Desk near the board with a reading lamp', 'Glare from the windows in the afternoon', 0),
(11, 'Classmates help him with his bag and books', 'Narrow door and crowded aisles', 0),
(11, 'Educator allows extra time for written tasks', ' ', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Factors_Classroom (LearnerID, Enabling_Factor, Barrier, Data_Year)
SELECT LearnerID, Enabling_Factor, Barrier, -1 FROM TAV_Factors_Classroom WHERE Data_Year = 0;

INSERT INTO TAV_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year) VALUES
(8, 'Full-service school with an active ILST', 'No FM system in the school yet', 0),
(8, 'Learner support educator visits twice a week', 'Stairs to the first-floor classrooms', 0),
(8, 'Anti-bullying policy known to learners', 'Assembly and sports field announcements are not heard', 0),
(1, 'ILST meets every two weeks', 'No school counsellor', 0),
(1, 'Structured break-time games run by Grade 7 leaders', ' ', 0),
(4, 'Itinerant teacher of the visually impaired visits the school', 'No Braille textbooks in the school', 0),
(4, 'Steps painted with yellow edges this year', 'Unpaved paths between the blocks', 0),
(11, 'Ramp at the main entrance', 'No ramp at the toilets and the tuck shop', 0),
(11, 'Staff trained in safe lifting', 'No accessible toilet', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Factors_School (LearnerID, Enabling_Factor, Barrier, Data_Year)
SELECT LearnerID, Enabling_Factor, Barrier, -1 FROM TAV_Factors_School WHERE Data_Year = 0;

-- The individual support plan (frmISP): the actions of the five kinds.
INSERT INTO TAV_ISP (LearnerID, [Action], Target, Strategy, Achievement_Criteria, Person_Responsible, Review_Date, Review_Comments, Data_Year) VALUES
(8, 1, 'Reduce noise in the Grade 7 classroom', 'Move the class to the quieter block; felt pads on chair legs; close the door during lessons', 'Class moved and noise reduced by the end of Term 2', 'Principal and SMT', '30/06/{YEAR}', 'Class moved to block C in May', 0),
(8, 1, 'Anti-bullying talk to all Grade 7 classes', 'Life Orientation lesson on hearing loss with the audiologist', 'Talk given; no teasing reported for a term', 'Life Orientation educator', '30/09/{YEAR}', 'Talk given in August; teasing stopped', 0),
(8, 2, 'Educators know how to support a learner with hearing loss', 'Workshop by the DBST on hearing loss, hearing aids and FM systems', 'All Grade 7 educators attend', 'ILST coordinator', '31/03/{YEAR}', 'Workshop held on 14 March; eight educators attended', 0),
(8, 2, 'Educators use visual supports in every lesson', 'Key words on the board, written homework and pictures; check understanding', 'Visual supports seen in class visits', 'Head of Department', '30/09/{YEAR}', ' ', 0),
(8, 3, 'Improve reading vocabulary', 'Pre-teach key words of each theme; word wall; reading with the learner support educator twice a week', 'Knows 80% of the key words of each theme', 'Learner support educator', '30/06/{YEAR}', 'Reached 70% in Term 1, 85% in Term 2', 0),
(8, 3, 'Fair assessment', 'Written instead of oral tests; extra time; questions read face to face', 'Accommodations used in every formal test', 'Class educator', '30/11/{YEAR}', ' ', 0),
(8, 3, 'Attention and work completion', 'Short tasks with a checklist; seat at the front; movement breaks', 'Completes 4 out of 5 classwork tasks', 'Class educator', '30/09/{YEAR}', 'Completes about 3 out of 5', 0),
(8, 4, 'Parents support homework and hearing aid use', 'Monthly meeting with the mother; communication book checked daily', 'Communication book signed every week', 'Class educator', '30/11/{YEAR}', 'Mother signs regularly', 0),
(8, 4, 'Family learns basic sign language', 'Information about evening SASL classes given to the mother', 'Mother enrols in a course', 'ILST coordinator', '30/09/{YEAR}', ' ', 0),
(8, 5, 'FM system supplied', 'DBST applies to the provincial department for an FM system', 'FM system in use in class', 'DBST: Ms P. Naidoo', '31/07/{YEAR}', 'Application submitted in April', 0),
(8, 5, 'Review of placement', 'DBST reviews support and placement at the end of the year', 'Placement decision recorded', 'DBST', '30/11/{YEAR}', ' ', 0),
(1, 1, 'Structured break times', 'Organised games run by Grade 7 leaders', 'Fewer incidents at break', 'Deputy principal', '30/06/{YEAR}', 'Incidents halved', 0),
(1, 2, 'Educators manage attention difficulties', 'Workshop on classroom strategies for attention difficulties', 'Strategies used in class', 'ILST coordinator', '31/05/{YEAR}', ' ', 0),
(1, 3, 'Follow two-step instructions', 'Give instructions one at a time with a picture card', 'Follows two-step instructions 4 out of 5 times', 'Class educator', '30/09/{YEAR}', ' ', 0),
(1, 4, 'Consistent routine at home', 'Daily report card; agreed bedtime routine', 'Report card returned 4 days a week', 'Parents and class educator', '30/06/{YEAR}', 'Returned most days', 0),
(1, 5, 'Hearing assessment', 'Referral to the audiology clinic', 'Hearing assessed and grommets considered', 'DBST', '31/05/{YEAR}', 'Grommets inserted in April', 0),
(4, 1, 'Safe routes in the school', 'Paint step edges yellow; keep passages clear', 'No falls reported', 'Caretaker', '31/03/{YEAR}', 'Done', 0),
(4, 2, 'Educators prepare large print', 'Training in enlarging worksheets on the copier', 'All worksheets in N24', 'Head of Department', '31/03/{YEAR}', ' ', 0),
(4, 3, 'Braille readiness', 'Braille lessons twice a week with the itinerant teacher', 'Reads the Braille alphabet', 'Itinerant teacher', '30/11/{YEAR}', 'Knows half of the alphabet', 0),
(4, 4, 'Parents help with large print reading', 'Send home large print readers', 'Reads with a parent 4 nights a week', 'Class educator', '30/06/{YEAR}', ' ', 0),
(4, 5, 'Assistive devices', 'DBST to supply a desktop magnifier', 'Magnifier in use', 'DBST', '30/06/{YEAR}', 'Magnifier received in May', 0),
(11, 1, 'Accessible toilet and ramps', 'Apply for funding for a ramp at the toilets and the tuck shop', 'Ramps built', 'School governing body', '30/11/{YEAR}', 'Quotes obtained', 0),
(11, 2, 'Safe lifting and transfers', 'Training of two staff members by the therapist', 'Two staff members trained', 'ILST coordinator', '31/03/{YEAR}', 'Trained in February', 0),
(11, 3, 'Written work at his pace', 'Extra time; reduced copying; worksheets to write on', 'Completes written tasks', 'Class educator', '30/09/{YEAR}', ' ', 0),
(11, 4, 'Transport to therapy', 'Help the grandparents to arrange transport through the clinic', 'Attends therapy monthly', 'ILST coordinator', '30/06/{YEAR}', ' ', 0),
(11, 5, 'Class assistant', 'DBST to request a class assistant for personal care', 'Assistant appointed', 'DBST', '30/11/{YEAR}', ' ', 0),
(8, 1, 'Reduce noise in the Grade 7 classroom', 'Move the class to the quieter block; felt pads on chair legs; close the door during lessons', 'Class moved and noise reduced by the end of Term 2', 'Principal and SMT', '30/06/{YEAR}', ' ', -1),
(8, 1, 'Anti-bullying talk to all Grade 7 classes', 'Life Orientation lesson on hearing loss with the audiologist', 'Talk given; no teasing reported for a term', 'Life Orientation educator', '30/09/{YEAR}', ' ', -1),
(8, 2, 'Educators know how to support a learner with hearing loss', 'Workshop by the DBST on hearing loss, hearing aids and FM systems', 'All Grade 7 educators attend', 'ILST coordinator', '31/03/{YEAR}', ' ', -1),
(8, 2, 'Educators use visual supports in every lesson', 'Key words on the board, written homework and pictures; check understanding', 'Visual supports seen in class visits', 'Head of Department', '30/09/{YEAR}', ' ', -1),
(8, 3, 'Improve reading vocabulary', 'Pre-teach key words of each theme; word wall; reading with the learner support educator twice a week', 'Knows 80% of the key words of each theme', 'Learner support educator', '30/06/{YEAR}', ' ', -1),
(8, 3, 'Fair assessment', 'Written instead of oral tests; extra time; questions read face to face', 'Accommodations used in every formal test', 'Class educator', '30/11/{YEAR}', ' ', -1),
(8, 3, 'Attention and work completion', 'Short tasks with a checklist; seat at the front; movement breaks', 'Completes 4 out of 5 classwork tasks', 'Class educator', '30/09/{YEAR}', ' ', -1),
(8, 4, 'Parents support homework and hearing aid use', 'Monthly meeting with the mother; communication book checked daily', 'Communication book signed every week', 'Class educator', '30/11/{YEAR}', ' ', -1),
(8, 4, 'Family learns basic sign language', 'Information about evening SASL classes given to the mother', 'Mother enrols in a course', 'ILST coordinator', '30/09/{YEAR}', ' ', -1),
(8, 5, 'FM system supplied', 'DBST applies to the provincial department for an FM system', 'FM system in use in class', 'DBST: Ms P. Naidoo', '31/07/{YEAR}', ' ', -1),
(8, 5, 'Review of placement', 'DBST reviews support and placement at the end of the year', 'Placement decision recorded', 'DBST', '30/11/{YEAR}', ' ', -1),
(1, 1, 'Structured break times', 'Organised games run by Grade 7 leaders', 'Fewer incidents at break', 'Deputy principal', '30/06/{YEAR}', ' ', -1),
(1, 2, 'Educators manage attention difficulties', 'Workshop on classroom strategies for attention difficulties', 'Strategies used in class', 'ILST coordinator', '31/05/{YEAR}', ' ', -1),
(1, 3, 'Follow two-step instructions', 'Give instructions one at a time with a picture card', 'Follows two-step instructions 4 out of 5 times', 'Class educator', '30/09/{YEAR}', ' ', -1),
(1, 4, 'Consistent routine at home', 'Daily report card; agreed bedtime routine', 'Report card returned 4 days a week', 'Parents and class educator', '30/06/{YEAR}', ' ', -1),
(1, 5, 'Hearing assessment', 'Referral to the audiology clinic', 'Hearing assessed and grommets considered', 'DBST', '31/05/{YEAR}', ' ', -1),
(4, 1, 'Safe routes in the school', 'Paint step edges yellow; keep passages clear', 'No falls reported', 'Caretaker', '31/03/{YEAR}', ' ', -1),
(4, 2, 'Educators prepare large print', 'Training in enlarging worksheets on the copier', 'All worksheets in N24', 'Head of Department', '31/03/{YEAR}', ' ', -1),
(4, 3, 'Braille readiness', 'Braille lessons twice a week with the itinerant teacher', 'Reads the Braille alphabet', 'Itinerant teacher', '30/11/{YEAR}', ' ', -1),
(4, 4, 'Parents help with large print reading', 'Send home large print readers', 'Reads with a parent 4 nights a week', 'Class educator', '30/06/{YEAR}', ' ', -1),
(4, 5, 'Assistive devices', 'DBST to supply a desktop magnifier', 'Magnifier in use', 'DBST', '30/06/{YEAR}', ' ', -1),
(11, 1, 'Accessible toilet and ramps', 'Apply for funding for a ramp at the toilets and the tuck shop', 'Ramps built', 'School governing body', '30/11/{YEAR}', ' ', -1),
(11, 2, 'Safe lifting and transfers', 'Training of two staff members by the therapist', 'Two staff members trained', 'ILST coordinator', '31/03/{YEAR}', ' ', -1),
(11, 3, 'Written work at his pace', 'Extra time; reduced copying; worksheets to write on', 'Completes written tasks', 'Class educator', '30/09/{YEAR}', ' ', -1),
(11, 4, 'Transport to therapy', 'Help the grandparents to arrange transport through the clinic', 'Attends therapy monthly', 'ILST coordinator', '30/06/{YEAR}', ' ', -1),
(11, 5, 'Class assistant', 'DBST to request a class assistant for personal care', 'Assistant appointed', 'DBST', '30/11/{YEAR}', ' ', -1);

-- Section 3a: the level of each item and support area, pages 1 to 4.
INSERT INTO TAV_Assessment_Supp_Req (LearnerID, GridID, Support_Area, [Level], Data_Year) VALUES
(8, 1, 1, 'Level 3', 0), (8, 1, 2, 'Level 3', 0),
(8, 2, 1, 'Level 5', 0), (8, 2, 2, 'Level 2', 0), (8, 2, 3, 'Level 5', 0), (8, 2, 4, 'Level 4', 0), (8, 2, 5, 'Level 3', 0),
(8, 3, 1, 'N/A', 0), (8, 3, 2, 'Level 4', 0), (8, 3, 3, 'Level 4', 0), (8, 3, 4, 'Level 4', 0), (8, 3, 5, 'Level 2', 0),
(8, 4, 1, 'Level 4', 0), (8, 4, 3, 'Level 5', 0),
(8, 5, 1, 'Level 3', 0), (8, 5, 2, 'N/A', 0),
(8, 7, 1, 'Level 4', 0), (8, 7, 2, 'Level 4', 0), (8, 7, 4, 'Level 4', 0),
(8, 8, 1, 'Level 4', 0), (8, 8, 2, 'Level 3', 0), (8, 8, 4, 'Level 3', 0),
(8, 10, 1, 'Level 5', 0), (8, 10, 2, 'Level 2', 0), (8, 10, 3, 'Level 5', 0), (8, 10, 4, 'Level 4', 0),
(8, 11, 1, 'Level 4', 0), (8, 11, 2, 'Level 4', 0), (8, 11, 5, 'N/A', 0),
(8, 12, 4, 'Level 3', 0),
(8, 13, 2, 'Level 3', 0), (8, 13, 4, 'Level 5', 0),
(8, 14, 1, 'Level 5', 0), (8, 14, 2, 'Level 2', 0), (8, 14, 4, 'Level 4', 0),
(8, 16, 1, 'N/A', 0), (8, 16, 2, 'Level 3', 0), (8, 16, 3, 'Level 5', 0), (8, 16, 4, 'Level 3', 0),
(8, 17, 1, 'Level 3', 0), (8, 17, 2, 'Level 3', 0), (8, 17, 3, 'Level 5', 0), (8, 17, 4, 'Level 5', 0), (8, 17, 5, 'Level 1', 0),
(8, 18, 1, 'Level 5', 0),
(8, 19, 1, 'Level 4', 0), (8, 19, 4, 'Level 4', 0),
(8, 20, 4, 'Level 3', 0),
(8, 21, 1, 'Level 3', 0),
(8, 22, 4, 'N/A', 0),
(8, 23, 4, 'Level 4', 0),
(8, 24, 4, 'Level 3', 0),
(8, 25, 1, 'Level 3', 0), (8, 25, 2, 'Level 3', 0), (8, 25, 4, 'Level 5', 0),
(8, 26, 1, 'Level 5', 0), (8, 26, 2, 'Level 2', 0), (8, 26, 4, 'Level 4', 0),
(8, 27, 1, 'Level 4', 0), (8, 27, 2, 'Level 4', 0), (8, 27, 4, 'Level 4', 0),
(8, 28, 1, 'Level 4', 0), (8, 28, 2, 'Level 3', 0), (8, 28, 4, 'Level 3', 0),
(8, 29, 4, 'Level 5', 0),
(8, 30, 4, 'Level 4', 0),
(8, 31, 3, 'Level 4', 0), (8, 31, 4, 'Level 4', 0),
(8, 32, 4, 'Level 3', 0),
(8, 35, 1, 'Level 4', 0), (8, 35, 2, 'Level 4', 0), (8, 35, 3, 'Level 4', 0), (8, 35, 4, 'N/A', 0), (8, 35, 5, 'Level 2', 0),
(8, 36, 2, 'Level 3', 0), (8, 36, 3, 'Level 5', 0),
(8, 37, 1, 'Level 3', 0),
(8, 39, 1, 'Level 4', 0), (8, 39, 2, 'Level 4', 0), (8, 39, 3, 'Level 4', 0), (8, 39, 4, 'Level 4', 0),
(8, 40, 1, 'Level 4', 0), (8, 40, 2, 'Level 3', 0),
(8, 41, 1, 'Level 3', 0), (8, 41, 2, 'Level 3', 0),
(8, 43, 1, 'Level 4', 0), (8, 43, 2, 'Level 4', 0),
(8, 45, 1, 'Level 3', 0), (8, 45, 2, 'Level 3', 0),
(1, 1, 1, 'Level 3', 0), (1, 1, 2, 'Level 3', 0),
(1, 2, 1, 'Level 2', 0), (1, 2, 2, 'Level 3', 0), (1, 2, 3, 'Level 1', 0), (1, 2, 4, 'Level 4', 0), (1, 2, 5, 'N/A', 0),
(1, 3, 1, 'Level 4', 0), (1, 3, 2, 'Level 2', 0), (1, 3, 3, 'Level 1', 0), (1, 3, 4, 'Level 3', 0), (1, 3, 5, 'Level 2', 0),
(1, 4, 1, 'Level 3', 0), (1, 4, 3, 'Level 1', 0),
(1, 5, 1, 'Level 3', 0), (1, 5, 2, 'Level 3', 0),
(1, 7, 1, 'N/A', 0), (1, 7, 2, 'Level 2', 0), (1, 7, 4, 'Level 3', 0),
(1, 8, 1, 'Level 3', 0), (1, 8, 2, 'Level 4', 0), (1, 8, 4, 'Level 3', 0),
(1, 10, 1, 'Level 2', 0), (1, 10, 2, 'Level 3', 0), (1, 10, 3, 'Level 1', 0), (1, 10, 4, 'Level 4', 0),
(1, 11, 1, 'Level 4', 0), (1, 11, 2, 'Level 2', 0), (1, 11, 5, 'Level 2', 0),
(1, 12, 4, 'Level 3', 0),
(1, 13, 2, 'Level 3', 0), (1, 13, 4, 'N/A', 0),
(1, 14, 1, 'Level 2', 0), (1, 14, 2, 'Level 3', 0), (1, 14, 4, 'Level 4', 0),
(1, 16, 1, 'Level 3', 0), (1, 16, 2, 'Level 4', 0), (1, 16, 3, 'Level 1', 0), (1, 16, 4, 'Level 3', 0),
(1, 17, 1, 'Level 3', 0), (1, 17, 2, 'Level 3', 0), (1, 17, 3, 'Level 2', 0), (1, 17, 4, 'Level 2', 0), (1, 17, 5, 'Level 1', 0),
(1, 18, 1, 'Level 2', 0),
(1, 19, 1, 'Level 4', 0), (1, 19, 4, 'Level 3', 0),
(1, 20, 4, 'Level 3', 0),
(1, 21, 1, 'Level 3', 0),
(1, 22, 4, 'Level 4', 0),
(1, 23, 4, 'Level 3', 0),
(1, 24, 4, 'Level 3', 0),
(1, 25, 1, 'Level 3', 0), (1, 25, 2, 'Level 3', 0), (1, 25, 4, 'Level 2', 0),
(1, 26, 1, 'Level 2', 0), (1, 26, 2, 'Level 3', 0), (1, 26, 4, 'N/A', 0),
(1, 27, 1, 'Level 4', 0), (1, 27, 2, 'Level 2', 0), (1, 27, 4, 'Level 3', 0),
(1, 28, 1, 'Level 3', 0), (1, 28, 2, 'Level 4', 0), (1, 28, 4, 'Level 3', 0),
(1, 29, 4, 'Level 2', 0),
(1, 30, 4, 'Level 4', 0),
(1, 31, 3, 'Level 1', 0), (1, 31, 4, 'Level 3', 0),
(1, 32, 4, 'Level 3', 0),
(1, 35, 1, 'Level 4', 0), (1, 35, 2, 'N/A', 0), (1, 35, 3, 'Level 1', 0), (1, 35, 4, 'Level 3', 0), (1, 35, 5, 'Level 2', 0),
(1, 36, 2, 'Level 4', 0), (1, 36, 3, 'Level 1', 0),
(1, 37, 1, 'Level 3', 0),
(1, 39, 1, 'Level 4', 0), (1, 39, 2, 'Level 2', 0), (1, 39, 3, 'Level 1', 0), (1, 39, 4, 'N/A', 0),
(1, 40, 1, 'Level 3', 0), (1, 40, 2, 'Level 4', 0),
(1, 41, 1, 'Level 3', 0), (1, 41, 2, 'Level 3', 0),
(1, 43, 1, 'Level 4', 0), (1, 43, 2, 'Level 2', 0),
(1, 45, 1, 'Level 3', 0), (1, 45, 2, 'Level 3', 0),
(4, 1, 1, 'Level 2', 0), (4, 1, 2, 'Level 4', 0),
(4, 2, 1, 'Level 4', 0), (4, 2, 2, 'Level 3', 0), (4, 2, 3, 'Level 5', 0), (4, 2, 4, 'N/A', 0), (4, 2, 5, 'Level 4', 0),
(4, 3, 1, 'Level 3', 0), (4, 3, 2, 'Level 5', 0), (4, 3, 3, 'Level 4', 0), (4, 3, 4, 'Level 4', 0), (4, 3, 5, 'Level 3', 0),
(4, 4, 1, 'Level 3', 0), (4, 4, 3, 'Level 5', 0),
(4, 5, 1, 'Level 2', 0), (4, 5, 2, 'Level 4', 0),
(4, 7, 1, 'Level 3', 0), (4, 7, 2, 'Level 5', 0), (4, 7, 4, 'Level 4', 0),
(4, 8, 1, 'Level 3', 0), (4, 8, 2, 'Level 4', 0), (4, 8, 4, 'Level 3', 0),
(4, 10, 1, 'Level 4', 0), (4, 10, 2, 'Level 3', 0), (4, 10, 3, 'Level 5', 0), (4, 10, 4, 'Level 4', 0),
(4, 11, 1, 'Level 3', 0), (4, 11, 2, 'N/A', 0), (4, 11, 5, 'Level 3', 0),
(4, 12, 4, 'Level 3', 0),
(4, 13, 2, 'Level 4', 0), (4, 13, 4, 'Level 5', 0),
(4, 14, 1, 'Level 4', 0), (4, 14, 2, 'Level 3', 0), (4, 14, 4, 'Level 4', 0),
(4, 16, 1, 'Level 3', 0), (4, 16, 2, 'Level 4', 0), (4, 16, 3, 'Level 5', 0), (4, 16, 4, 'Level 3', 0),
(4, 17, 1, 'Level 2', 0), (4, 17, 2, 'Level 4', 0), (4, 17, 3, 'Level 5', 0), (4, 17, 4, 'Level 5', 0), (4, 17, 5, 'N/A', 0),
(4, 18, 1, 'Level 4', 0),
(4, 19, 1, 'Level 3', 0), (4, 19, 4, 'Level 4', 0),
(4, 20, 4, 'Level 3', 0),
(4, 21, 1, 'Level 2', 0),
(4, 22, 4, 'Level 4', 0),
(4, 23, 4, 'Level 4', 0),
(4, 24, 4, 'Level 3', 0),
(4, 25, 1, 'Level 2', 0), (4, 25, 2, 'Level 4', 0), (4, 25, 4, 'Level 5', 0),
(4, 26, 1, 'Level 4', 0), (4, 26, 2, 'Level 3', 0), (4, 26, 4, 'Level 4', 0),
(4, 27, 1, 'Level 3', 0), (4, 27, 2, 'Level 5', 0), (4, 27, 4, 'Level 4', 0),
(4, 28, 1, 'Level 3', 0), (4, 28, 2, 'Level 4', 0), (4, 28, 4, 'N/A', 0),
(4, 29, 4, 'Level 5', 0),
(4, 30, 4, 'Level 4', 0),
(4, 31, 3, 'Level 4', 0), (4, 31, 4, 'Level 4', 0),
(4, 32, 4, 'Level 3', 0),
(4, 35, 1, 'N/A', 0), (4, 35, 2, 'Level 5', 0), (4, 35, 3, 'Level 4', 0), (4, 35, 4, 'Level 4', 0), (4, 35, 5, 'Level 3', 0),
(4, 36, 2, 'Level 4', 0), (4, 36, 3, 'Level 5', 0),
(4, 37, 1, 'Level 2', 0),
(4, 39, 1, 'Level 3', 0), (4, 39, 2, 'Level 5', 0), (4, 39, 3, 'N/A', 0), (4, 39, 4, 'Level 4', 0),
(4, 40, 1, 'Level 3', 0), (4, 40, 2, 'Level 4', 0),
(4, 41, 1, 'Level 2', 0), (4, 41, 2, 'Level 4', 0),
(4, 43, 1, 'Level 3', 0), (4, 43, 2, 'Level 5', 0),
(4, 45, 1, 'Level 2', 0), (4, 45, 2, 'Level 4', 0),
(11, 1, 1, 'Level 5', 0), (11, 1, 2, 'Level 2', 0),
(11, 2, 1, 'Level 4', 0), (11, 2, 2, 'Level 4', 0), (11, 2, 3, 'Level 3', 0), (11, 2, 4, 'Level 2', 0), (11, 2, 5, 'Level 5', 0),
(11, 3, 1, 'Level 4', 0), (11, 3, 2, 'Level 3', 0), (11, 3, 3, 'Level 5', 0), (11, 3, 4, 'Level 1', 0), (11, 3, 5, 'Level 5', 0),
(11, 4, 1, 'Level 3', 0), (11, 4, 3, 'Level 4', 0),
(11, 5, 1, 'N/A', 0), (11, 5, 2, 'Level 2', 0),
(11, 7, 1, 'Level 4', 0), (11, 7, 2, 'N/A', 0), (11, 7, 4, 'Level 1', 0),
(11, 8, 1, 'Level 3', 0), (11, 8, 2, 'Level 3', 0), (11, 8, 4, 'Level 3', 0),
(11, 10, 1, 'Level 4', 0), (11, 10, 2, 'Level 4', 0), (11, 10, 3, 'Level 3', 0), (11, 10, 4, 'Level 2', 0),
(11, 11, 1, 'Level 4', 0), (11, 11, 2, 'Level 3', 0), (11, 11, 5, 'Level 5', 0),
(11, 12, 4, 'Level 3', 0),
(11, 13, 2, 'Level 2', 0), (11, 13, 4, 'Level 2', 0),
(11, 14, 1, 'Level 4', 0), (11, 14, 2, 'Level 4', 0), (11, 14, 4, 'Level 2', 0),
(11, 16, 1, 'Level 3', 0), (11, 16, 2, 'Level 3', 0), (11, 16, 3, 'Level 4', 0), (11, 16, 4, 'Level 3', 0),
(11, 17, 1, 'Level 5', 0), (11, 17, 2, 'Level 2', 0), (11, 17, 3, 'Level 4', 0), (11, 17, 4, 'Level 2', 0), (11, 17, 5, 'Level 5', 0),
(11, 18, 1, 'N/A', 0),
(11, 19, 1, 'Level 4', 0), (11, 19, 4, 'Level 1', 0),
(11, 20, 4, 'Level 3', 0),
(11, 21, 1, 'Level 5', 0),
(11, 22, 4, 'Level 2', 0),
(11, 23, 4, 'Level 1', 0),
(11, 24, 4, 'N/A', 0),
(11, 25, 1, 'Level 5', 0), (11, 25, 2, 'Level 2', 0), (11, 25, 4, 'Level 2', 0),
(11, 26, 1, 'Level 4', 0), (11, 26, 2, 'Level 4', 0), (11, 26, 4, 'Level 2', 0),
(11, 27, 1, 'Level 4', 0), (11, 27, 2, 'Level 3', 0), (11, 27, 4, 'Level 1', 0),
(11, 28, 1, 'Level 3', 0), (11, 28, 2, 'Level 3', 0), (11, 28, 4, 'Level 3', 0),
(11, 29, 4, 'Level 2', 0),
(11, 30, 4, 'Level 2', 0),
(11, 31, 3, 'Level 5', 0), (11, 31, 4, 'Level 1', 0),
(11, 32, 4, 'Level 3', 0),
(11, 35, 1, 'Level 4', 0), (11, 35, 2, 'Level 3', 0), (11, 35, 3, 'N/A', 0), (11, 35, 4, 'Level 1', 0), (11, 35, 5, 'Level 5', 0),
(11, 36, 2, 'Level 3', 0), (11, 36, 3, 'Level 4', 0),
(11, 37, 1, 'Level 5', 0),
(11, 39, 1, 'Level 4', 0), (11, 39, 2, 'Level 3', 0), (11, 39, 3, 'Level 5', 0), (11, 39, 4, 'Level 1', 0),
(11, 40, 1, 'Level 3', 0), (11, 40, 2, 'Level 3', 0),
(11, 41, 1, 'Level 5', 0), (11, 41, 2, 'Level 2', 0),
(11, 43, 1, 'Level 4', 0), (11, 43, 2, 'Level 3', 0),
(11, 45, 1, 'Level 5', 0), (11, 45, 2, 'Level 2', 0),
(8, 1, 1, 'Level 4', -1), (8, 1, 2, 'Level 4', -1),
(8, 2, 1, 'Level 5', -1), (8, 2, 2, 'Level 3', -1), (8, 2, 3, 'Level 5', -1), (8, 2, 4, 'Level 4', -1), (8, 2, 5, 'Level 4', -1),
(8, 3, 1, 'N/A', -1), (8, 3, 2, 'Level 5', -1), (8, 3, 3, 'Level 4', -1), (8, 3, 4, 'Level 4', -1), (8, 3, 5, 'Level 3', -1),
(8, 4, 1, 'Level 5', -1), (8, 4, 3, 'Level 5', -1),
(8, 5, 1, 'Level 4', -1), (8, 5, 2, 'N/A', -1),
(8, 7, 1, 'Level 5', -1), (8, 7, 2, 'Level 5', -1), (8, 7, 4, 'Level 4', -1),
(8, 8, 1, 'Level 5', -1), (8, 8, 2, 'Level 4', -1), (8, 8, 4, 'Level 3', -1),
(8, 10, 1, 'Level 5', -1), (8, 10, 2, 'Level 3', -1), (8, 10, 3, 'Level 5', -1), (8, 10, 4, 'Level 4', -1),
(8, 11, 1, 'Level 5', -1), (8, 11, 2, 'Level 5', -1), (8, 11, 5, 'N/A', -1),
(8, 12, 4, 'Level 3', -1),
(8, 13, 2, 'Level 4', -1), (8, 13, 4, 'Level 5', -1),
(8, 14, 1, 'Level 5', -1), (8, 14, 2, 'Level 3', -1), (8, 14, 4, 'Level 4', -1),
(8, 16, 1, 'N/A', -1), (8, 16, 2, 'Level 4', -1), (8, 16, 3, 'Level 5', -1), (8, 16, 4, 'Level 3', -1),
(8, 17, 1, 'Level 4', -1), (8, 17, 2, 'Level 4', -1), (8, 17, 3, 'Level 5', -1), (8, 17, 4, 'Level 5', -1), (8, 17, 5, 'Level 2', -1),
(8, 18, 1, 'Level 5', -1),
(8, 19, 1, 'Level 5', -1), (8, 19, 4, 'Level 4', -1),
(8, 20, 4, 'Level 3', -1),
(8, 21, 1, 'Level 4', -1),
(8, 22, 4, 'N/A', -1),
(8, 23, 4, 'Level 4', -1),
(8, 24, 4, 'Level 3', -1),
(8, 25, 1, 'Level 4', -1), (8, 25, 2, 'Level 4', -1), (8, 25, 4, 'Level 5', -1),
(8, 26, 1, 'Level 5', -1), (8, 26, 2, 'Level 3', -1), (8, 26, 4, 'Level 4', -1),
(8, 27, 1, 'Level 5', -1), (8, 27, 2, 'Level 5', -1), (8, 27, 4, 'Level 4', -1),
(8, 28, 1, 'Level 5', -1), (8, 28, 2, 'Level 4', -1), (8, 28, 4, 'Level 3', -1),
(8, 29, 4, 'Level 5', -1),
(8, 30, 4, 'Level 4', -1),
(8, 31, 3, 'Level 4', -1), (8, 31, 4, 'Level 4', -1),
(8, 32, 4, 'Level 3', -1),
(8, 35, 1, 'Level 5', -1), (8, 35, 2, 'Level 5', -1), (8, 35, 3, 'Level 4', -1), (8, 35, 4, 'N/A', -1), (8, 35, 5, 'Level 3', -1),
(8, 36, 2, 'Level 4', -1), (8, 36, 3, 'Level 5', -1),
(8, 37, 1, 'Level 4', -1),
(8, 39, 1, 'Level 5', -1), (8, 39, 2, 'Level 5', -1), (8, 39, 3, 'Level 4', -1), (8, 39, 4, 'Level 4', -1),
(8, 40, 1, 'Level 5', -1), (8, 40, 2, 'Level 4', -1),
(8, 41, 1, 'Level 4', -1), (8, 41, 2, 'Level 4', -1),
(8, 43, 1, 'Level 5', -1), (8, 43, 2, 'Level 5', -1),
(8, 45, 1, 'Level 4', -1), (8, 45, 2, 'Level 4', -1),
(1, 1, 1, 'Level 4', -1), (1, 1, 2, 'Level 3', -1),
(1, 2, 1, 'Level 3', -1), (1, 2, 2, 'Level 3', -1), (1, 2, 3, 'Level 2', -1), (1, 2, 4, 'Level 5', -1), (1, 2, 5, 'N/A', -1),
(1, 3, 1, 'Level 5', -1), (1, 3, 2, 'Level 2', -1), (1, 3, 3, 'Level 2', -1), (1, 3, 4, 'Level 4', -1), (1, 3, 5, 'Level 2', -1),
(1, 4, 1, 'Level 4', -1), (1, 4, 3, 'Level 1', -1),
(1, 5, 1, 'Level 4', -1), (1, 5, 2, 'Level 3', -1),
(1, 7, 1, 'N/A', -1), (1, 7, 2, 'Level 2', -1), (1, 7, 4, 'Level 4', -1),
(1, 8, 1, 'Level 4', -1), (1, 8, 2, 'Level 4', -1), (1, 8, 4, 'Level 4', -1),
(1, 10, 1, 'Level 3', -1), (1, 10, 2, 'Level 3', -1), (1, 10, 3, 'Level 2', -1), (1, 10, 4, 'Level 5', -1),
(1, 11, 1, 'Level 5', -1), (1, 11, 2, 'Level 2', -1), (1, 11, 5, 'Level 2', -1),
(1, 12, 4, 'Level 4', -1),
(1, 13, 2, 'Level 3', -1), (1, 13, 4, 'N/A', -1),
(1, 14, 1, 'Level 3', -1), (1, 14, 2, 'Level 3', -1), (1, 14, 4, 'Level 5', -1),
(1, 16, 1, 'Level 4', -1), (1, 16, 2, 'Level 4', -1), (1, 16, 3, 'Level 1', -1), (1, 16, 4, 'Level 4', -1),
(1, 17, 1, 'Level 4', -1), (1, 17, 2, 'Level 3', -1), (1, 17, 3, 'Level 3', -1), (1, 17, 4, 'Level 3', -1), (1, 17, 5, 'Level 1', -1),
(1, 18, 1, 'Level 3', -1),
(1, 19, 1, 'Level 5', -1), (1, 19, 4, 'Level 4', -1),
(1, 20, 4, 'Level 4', -1),
(1, 21, 1, 'Level 4', -1),
(1, 22, 4, 'Level 5', -1),
(1, 23, 4, 'Level 4', -1),
(1, 24, 4, 'Level 4', -1),
(1, 25, 1, 'Level 4', -1), (1, 25, 2, 'Level 3', -1), (1, 25, 4, 'Level 3', -1),
(1, 26, 1, 'Level 3', -1), (1, 26, 2, 'Level 3', -1), (1, 26, 4, 'N/A', -1),
(1, 27, 1, 'Level 5', -1), (1, 27, 2, 'Level 2', -1), (1, 27, 4, 'Level 4', -1),
(1, 28, 1, 'Level 4', -1), (1, 28, 2, 'Level 4', -1), (1, 28, 4, 'Level 4', -1),
(1, 29, 4, 'Level 3', -1),
(1, 30, 4, 'Level 5', -1),
(1, 31, 3, 'Level 2', -1), (1, 31, 4, 'Level 4', -1),
(1, 32, 4, 'Level 4', -1),
(1, 35, 1, 'Level 5', -1), (1, 35, 2, 'N/A', -1), (1, 35, 3, 'Level 2', -1), (1, 35, 4, 'Level 4', -1), (1, 35, 5, 'Level 2', -1),
(1, 36, 2, 'Level 4', -1), (1, 36, 3, 'Level 1', -1),
(1, 37, 1, 'Level 4', -1),
(1, 39, 1, 'Level 5', -1), (1, 39, 2, 'Level 2', -1), (1, 39, 3, 'Level 2', -1), (1, 39, 4, 'N/A', -1),
(1, 40, 1, 'Level 4', -1), (1, 40, 2, 'Level 4', -1),
(1, 41, 1, 'Level 4', -1), (1, 41, 2, 'Level 3', -1),
(1, 43, 1, 'Level 5', -1), (1, 43, 2, 'Level 2', -1),
(1, 45, 1, 'Level 4', -1), (1, 45, 2, 'Level 3', -1),
(4, 1, 1, 'Level 2', -1), (4, 1, 2, 'Level 4', -1),
(4, 2, 1, 'Level 4', -1), (4, 2, 2, 'Level 3', -1), (4, 2, 3, 'Level 4', -1), (4, 2, 4, 'N/A', -1), (4, 2, 5, 'Level 4', -1),
(4, 3, 1, 'Level 3', -1), (4, 3, 2, 'Level 5', -1), (4, 3, 3, 'Level 3', -1), (4, 3, 4, 'Level 4', -1), (4, 3, 5, 'Level 3', -1),
(4, 4, 1, 'Level 3', -1), (4, 4, 3, 'Level 5', -1),
(4, 5, 1, 'Level 2', -1), (4, 5, 2, 'Level 4', -1),
(4, 7, 1, 'Level 3', -1), (4, 7, 2, 'Level 5', -1), (4, 7, 4, 'Level 4', -1),
(4, 8, 1, 'Level 3', -1), (4, 8, 2, 'Level 4', -1), (4, 8, 4, 'Level 3', -1),
(4, 10, 1, 'Level 4', -1), (4, 10, 2, 'Level 3', -1), (4, 10, 3, 'Level 4', -1), (4, 10, 4, 'Level 4', -1),
(4, 11, 1, 'Level 3', -1), (4, 11, 2, 'N/A', -1), (4, 11, 5, 'Level 3', -1),
(4, 12, 4, 'Level 3', -1),
(4, 13, 2, 'Level 4', -1), (4, 13, 4, 'Level 5', -1),
(4, 14, 1, 'Level 4', -1), (4, 14, 2, 'Level 3', -1), (4, 14, 4, 'Level 4', -1),
(4, 16, 1, 'Level 3', -1), (4, 16, 2, 'Level 4', -1), (4, 16, 3, 'Level 5', -1), (4, 16, 4, 'Level 3', -1),
(4, 17, 1, 'Level 2', -1), (4, 17, 2, 'Level 4', -1), (4, 17, 3, 'Level 4', -1), (4, 17, 4, 'Level 5', -1), (4, 17, 5, 'N/A', -1),
(4, 18, 1, 'Level 4', -1),
(4, 19, 1, 'Level 3', -1), (4, 19, 4, 'Level 4', -1),
(4, 20, 4, 'Level 3', -1),
(4, 21, 1, 'Level 2', -1),
(4, 22, 4, 'Level 4', -1),
(4, 23, 4, 'Level 4', -1),
(4, 24, 4, 'Level 3', -1),
(4, 25, 1, 'Level 2', -1), (4, 25, 2, 'Level 4', -1), (4, 25, 4, 'Level 5', -1),
(4, 26, 1, 'Level 4', -1), (4, 26, 2, 'Level 3', -1), (4, 26, 4, 'Level 4', -1),
(4, 27, 1, 'Level 3', -1), (4, 27, 2, 'Level 5', -1), (4, 27, 4, 'Level 4', -1),
(4, 28, 1, 'Level 3', -1), (4, 28, 2, 'Level 4', -1), (4, 28, 4, 'N/A', -1),
(4, 29, 4, 'Level 5', -1),
(4, 30, 4, 'Level 4', -1),
(4, 31, 3, 'Level 3', -1), (4, 31, 4, 'Level 4', -1),
(4, 32, 4, 'Level 3', -1),
(4, 35, 1, 'N/A', -1), (4, 35, 2, 'Level 5', -1), (4, 35, 3, 'Level 3', -1), (4, 35, 4, 'Level 4', -1), (4, 35, 5, 'Level 3', -1),
(4, 36, 2, 'Level 4', -1), (4, 36, 3, 'Level 5', -1),
(4, 37, 1, 'Level 2', -1),
(4, 39, 1, 'Level 3', -1), (4, 39, 2, 'Level 5', -1), (4, 39, 3, 'N/A', -1), (4, 39, 4, 'Level 4', -1),
(4, 40, 1, 'Level 3', -1), (4, 40, 2, 'Level 4', -1),
(4, 41, 1, 'Level 2', -1), (4, 41, 2, 'Level 4', -1),
(4, 43, 1, 'Level 3', -1), (4, 43, 2, 'Level 5', -1),
(4, 45, 1, 'Level 2', -1), (4, 45, 2, 'Level 4', -1),
(11, 1, 1, 'Level 5', -1), (11, 1, 2, 'Level 2', -1),
(11, 2, 1, 'Level 5', -1), (11, 2, 2, 'Level 4', -1), (11, 2, 3, 'Level 3', -1), (11, 2, 4, 'Level 2', -1), (11, 2, 5, 'Level 5', -1),
(11, 3, 1, 'Level 5', -1), (11, 3, 2, 'Level 3', -1), (11, 3, 3, 'Level 5', -1), (11, 3, 4, 'Level 1', -1), (11, 3, 5, 'Level 5', -1),
(11, 4, 1, 'Level 4', -1), (11, 4, 3, 'Level 4', -1),
(11, 5, 1, 'N/A', -1), (11, 5, 2, 'Level 2', -1),
(11, 7, 1, 'Level 5', -1), (11, 7, 2, 'N/A', -1), (11, 7, 4, 'Level 1', -1),
(11, 8, 1, 'Level 4', -1), (11, 8, 2, 'Level 3', -1), (11, 8, 4, 'Level 3', -1),
(11, 10, 1, 'Level 5', -1), (11, 10, 2, 'Level 4', -1), (11, 10, 3, 'Level 3', -1), (11, 10, 4, 'Level 2', -1),
(11, 11, 1, 'Level 5', -1), (11, 11, 2, 'Level 3', -1), (11, 11, 5, 'Level 5', -1),
(11, 12, 4, 'Level 3', -1),
(11, 13, 2, 'Level 2', -1), (11, 13, 4, 'Level 2', -1),
(11, 14, 1, 'Level 5', -1), (11, 14, 2, 'Level 4', -1), (11, 14, 4, 'Level 2', -1),
(11, 16, 1, 'Level 4', -1), (11, 16, 2, 'Level 3', -1), (11, 16, 3, 'Level 4', -1), (11, 16, 4, 'Level 3', -1),
(11, 17, 1, 'Level 5', -1), (11, 17, 2, 'Level 2', -1), (11, 17, 3, 'Level 4', -1), (11, 17, 4, 'Level 2', -1), (11, 17, 5, 'Level 5', -1),
(11, 18, 1, 'N/A', -1),
(11, 19, 1, 'Level 5', -1), (11, 19, 4, 'Level 1', -1),
(11, 20, 4, 'Level 3', -1),
(11, 21, 1, 'Level 5', -1),
(11, 22, 4, 'Level 2', -1),
(11, 23, 4, 'Level 1', -1),
(11, 24, 4, 'N/A', -1),
(11, 25, 1, 'Level 5', -1), (11, 25, 2, 'Level 2', -1), (11, 25, 4, 'Level 2', -1),
(11, 26, 1, 'Level 5', -1), (11, 26, 2, 'Level 4', -1), (11, 26, 4, 'Level 2', -1),
(11, 27, 1, 'Level 5', -1), (11, 27, 2, 'Level 3', -1), (11, 27, 4, 'Level 1', -1),
(11, 28, 1, 'Level 4', -1), (11, 28, 2, 'Level 3', -1), (11, 28, 4, 'Level 3', -1),
(11, 29, 4, 'Level 2', -1),
(11, 30, 4, 'Level 2', -1),
(11, 31, 3, 'Level 5', -1), (11, 31, 4, 'Level 1', -1),
(11, 32, 4, 'Level 3', -1),
(11, 35, 1, 'Level 5', -1), (11, 35, 2, 'Level 3', -1), (11, 35, 3, 'N/A', -1), (11, 35, 4, 'Level 1', -1), (11, 35, 5, 'Level 5', -1),
(11, 36, 2, 'Level 3', -1), (11, 36, 3, 'Level 4', -1),
(11, 37, 1, 'Level 5', -1),
(11, 39, 1, 'Level 5', -1), (11, 39, 2, 'Level 3', -1), (11, 39, 3, 'Level 5', -1), (11, 39, 4, 'Level 1', -1),
(11, 40, 1, 'Level 4', -1), (11, 40, 2, 'Level 3', -1),
(11, 41, 1, 'Level 5', -1), (11, 41, 2, 'Level 2', -1),
(11, 43, 1, 'Level 5', -1), (11, 43, 2, 'Level 3', -1),
(11, 45, 1, 'Level 5', -1), (11, 45, 2, 'Level 2', -1);

-- Section 3a: the rating of each support area, as page 4 works it out.
INSERT INTO TAV_Assessment_Supp_Req_Rating (LearnerID, Support_Area, Rating, Data_Year) VALUES
(8, 1, 4, 0), (8, 2, 3, 0), (8, 3, 5, 0), (8, 4, 4, 0), (8, 5, 2, 0),
(1, 1, 3, 0), (1, 2, 3, 0), (1, 3, 1, 0), (1, 4, 3, 0), (1, 5, 2, 0),
(4, 1, 3, 0), (4, 2, 4, 0), (4, 3, 5, 0), (4, 4, 4, 0), (4, 5, 3, 0),
(11, 1, 4, 0), (11, 2, 3, 0), (11, 3, 4, 0), (11, 4, 2, 0), (11, 5, 5, 0),
(8, 1, 5, -1), (8, 2, 4, -1), (8, 3, 5, -1), (8, 4, 4, -1), (8, 5, 3, -1),
(1, 1, 4, -1), (1, 2, 3, -1), (1, 3, 2, -1), (1, 4, 4, -1), (1, 5, 2, -1),
(4, 1, 3, -1), (4, 2, 4, -1), (4, 3, 4, -1), (4, 4, 4, -1), (4, 5, 3, -1),
(11, 1, 5, -1), (11, 2, 3, -1), (11, 3, 4, -1), (11, 4, 2, -1), (11, 5, 5, -1);

-- Section 3a, page 1: the disability and the psycho-social support needed.
INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, Data_Year) VALUES
(8, 'Severe to moderate sensorineural hearing loss, both ears; mild left hemiparesis; attention difficulties (audiology and psychology reports attached)', 'Counselling about the teasing; social skills group; support for the family to learn sign language', 0),
(1, 'Mild conductive hearing loss; attention and behaviour difficulties (psychologist''s report attached)', 'Play therapy group; behaviour support plan shared with the parents', 0),
(4, 'Retinitis pigmentosa: low vision with a narrow field; specific learning disability suspected', 'Support to join in games at break; encouragement to use her devices in front of peers', 0),
(11, 'Cerebral palsy, spastic diplegia: wheelchair user', 'Peer support at break; counselling about changes in his family', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Learner_Supp_Needs (LearnerID, Disability_Descr, Psycho_Social_Support, Data_Year)
SELECT LearnerID, Disability_Descr, Psycho_Social_Support, -1 FROM TAV_Learner_Supp_Needs WHERE Data_Year = 0;

-- Section 3b: the school request for additional support (frmSchoolRequestSupport).
INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, School_Need, School_Available, Data_Year) VALUES
(8, 1, 'HIGH LEVEL', 'Itinerant teacher of the deaf once a week', 'Learner support educator twice a week', 0),
(8, 1, 'MODERATE', 'Sign language interpreter for assemblies and events', ' ', 0),
(8, 2, 'HIGH LEVEL', 'FM system with a transmitter for the educator', 'Hearing aids (the family''s own)', 0),
(8, 2, 'MODERATE', 'Hearing aid batteries for the year', ' ', 0),
(8, 3, 'HIGH LEVEL', 'Adapted tests and extra time in all subjects', 'Class educators willing to adapt tests', 0),
(8, 4, 'MODERATE', 'Training for all Grade 7 educators in teaching learners with hearing loss', 'One educator trained last year', 0),
(8, 5, 'MODERATE', 'A quieter classroom on the ground floor; acoustic panels', 'Ground-floor classrooms in block C', 0),
(1, 1, 'MODERATE', 'School counsellor or psychologist visits', 'ILST and a learner support educator', 0),
(1, 3, 'MODERATE', 'Shorter tasks and picture instructions', 'Foundation Phase educators', 0),
(1, 4, 'LOW', 'Workshop on attention difficulties', ' ', 0),
(4, 1, 'HIGH LEVEL', 'Itinerant teacher of the visually impaired twice a week', 'Visits once a week', 0),
(4, 2, 'HIGH LEVEL', 'Desktop magnifier, Perkins Brailler and large print books', 'Hand magnifier', 0),
(4, 3, 'MODERATE', 'Large print and Braille test papers', 'Copier that enlarges', 0),
(4, 4, 'MODERATE', 'Training in preparing large print and in Braille readiness', ' ', 0),
(4, 5, 'LOW', 'Yellow step edges and better lighting in the classroom', 'Step edges painted this year', 0),
(11, 1, 'HIGH LEVEL', 'Class assistant for personal care', ' ', 0),
(11, 2, 'MODERATE', 'Adjustable desk for his wheelchair', 'Wheelchair from the health department', 0),
(11, 4, 'LOW', 'Training in safe lifting and transfers', 'Two staff members trained', 0),
(11, 5, 'HIGH LEVEL', 'Ramps at the toilets and the tuck shop, an accessible toilet and wider classroom door', 'Ramp at the main entrance', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_Learner_Support_Needs (LearnerID, Support_Area, Low_Moderate_High, School_Need, School_Available, Data_Year)
SELECT LearnerID, Support_Area, Low_Moderate_High, School_Need, School_Available, -1 FROM TAV_Learner_Support_Needs WHERE Data_Year = 0;

-- Section 3b: the ILST record of interventions (frmILSTIntervention).
INSERT INTO TAV_ILST_Intervention_Records (LearnerID, Whole_School_Development, Educator_Training, Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason, Data_Year) VALUES
(8, 'The class was moved to a quieter classroom in block C and felt pads were put on the chair legs. The anti-bullying policy was discussed with all Grade 7 classes and a Life Orientation lesson on hearing loss was given by the audiologist.', 'A DBST workshop on hearing loss, hearing aids and FM systems was attended by eight educators. Educators were shown how to face the class, write key words on the board and check understanding.', 'Zanele receives reading support from the learner support educator twice a week, pre-teaching of vocabulary, written instructions, a peer buddy and accommodations in tests (written instead of oral questions, extra time and questions read to her face to face). A checklist and movement breaks help her to finish her work. Her reading vocabulary has improved, but she still misses most of what is said in class and her marks in languages remain below 40%.', 1, 'Mrs Dlamini agrees with the support given and asks that Zanele stays at the school if an FM system and an itinerant teacher of the deaf can be provided. She would like to learn sign language.', 'The support the school can give is not enough for Zanele''s level of hearing loss. She needs an FM system, regular support from an itinerant teacher of the deaf and access to sign language, which the school cannot provide without the DBST. Her needs are high in staffing, assistive devices and curriculum differentiation.', 1, 'The school has used all the support it has; the learner needs high-level support.', 1, 'Endorsed; the DBST to visit the school in the third term.', 0),
(1, 'Structured games at break run by Grade 7 leaders.', 'Workshop on attention difficulties for Foundation Phase educators.', 'Daily report card, picture instructions and a small reading group.', 1, 'The parents agree and have kept to the report card.', 'Support is working; a hearing assessment is needed before further steps.', 1, 'Referral for the hearing assessment approved.', 0, ' ', 0),
(4, 'Step edges painted; passages kept clear.', 'Educators trained to enlarge worksheets.', 'Large print, a desk near the board and Braille readiness lessons with the itinerant teacher.', 1, 'The parents ask for Braille books to take home.', 'Needs Braille materials and devices beyond the school''s means.', 1, 'Request for assistive devices supported.', 1, 'Endorsed.', 0),
(11, 'Ramp at the main entrance built; quotes for the toilets obtained.', 'Two staff members trained in safe lifting.', 'Extra time and worksheets to write on; classmates help with his bag.', 1, 'The grandparents agree and ask for help with transport to therapy.', 'Needs a class assistant and building adaptations.', 1, 'Request for a class assistant supported.', 1, 'Endorsed; funding for ramps to be requested.', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_ILST_Intervention_Records (LearnerID, Whole_School_Development, Educator_Training, Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason, Data_Year)
SELECT LearnerID, Whole_School_Development, Educator_Training, Learner_Support, Learner_Parent_Discussed, Learner_Parent_Response, ILST_Analysis_To_DBST, Principal_Approve_Request_DBST, Principal_Reason, Circuit_Manager_Endores, Circuit_Manager_Reason, -1 FROM TAV_ILST_Intervention_Records WHERE Data_Year = 0;

-- Section 4: the row the three action plan pages share.
INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, Data_Year) VALUES
(8, 1, 1, ' ', 'Approved: FM system, itinerant teacher of the deaf weekly, hearing aid batteries, adapted assessment', ' ', 2, 'Approved by the District Senior Manager; support at the school site with DBST outreach', 1, 'Mrs Dlamini agrees with the plan and will attend the sign language classes', 0),
(1, 1, 1, ' ', 'Approved: hearing assessment and behaviour support plan', ' ', 1, 'Approved', 1, 'Parents agree', 0),
(4, 1, 0, 'The parents would prefer Anika to stay at this school rather than go to a special school', 'Approved: devices and itinerant support at the school', 'Placement at a special school not approved by the parents', 2, 'Approved; placement to be reviewed next year', 1, 'The parents accept support at the school for this year', 0),
(11, 1, 1, ' ', 'Approved: class assistant and building adaptations', ' ', 1, 'Approved subject to funding for the ramps', 1, 'Grandparents agree', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_DBST_Review_ILST_Request (LearnerID, ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, Data_Year)
SELECT LearnerID, ISLT_Coord_Educ_Req_Made, Parent_Accept_Recom, Parent_Reason, ISLT_Approved_Reason, ISLT_Not_Approved_Reason, DBST_Support_School_Site, Senior_Manager_Approval, School_Discussed_Parent, School_Discussed_Comment, -1 FROM TAV_DBST_Review_ILST_Request WHERE Data_Year = 0;

-- Section 4, page 2: the support strategy, one row a line of the grid; its
-- Budget column holds the grid's Timeframe and its Timeframe the Budget.
INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, Support_Needed, Support_Level, School_Steps, Learner_Steps, Person_Responsible, Budget, Timeframe, Data_Year) VALUES
(8, 1, 'Itinerant teacher of the deaf', 'H', 'Arrange a weekly visit; the itinerant teacher works with Zanele and advises her educators on lesson adaptations.', 'Attend the sessions and practise the language work at home', 'DBST: Ms P. Naidoo', 'Terms 2 to 4', 'R 0 (DBST staff)', 0),
(8, 6, 'FM system', 'H', 'Apply to the province; train educators to use the transmitter in every lesson', 'Wear the receiver every day and tell the educator when it does not work', 'DBST', 'By the end of Term 3', 'R 18 000', 0),
(8, 7, 'Hearing aid batteries', 'M', 'Buy a year''s supply from the school fund', 'Change the batteries every week', 'Principal', 'Whole year', 'R 1 200', 0),
(8, 11, 'Adapted assessment', 'H', 'Written instead of oral tests; extra time of 25%; questions read face to face', 'Ask when she has not understood a question', 'Class educators', 'All formal tests', 'R 0', 0),
(8, 16, 'Training in hearing loss', 'M', 'DBST workshop for all educators; follow-up class visits', ' ', 'ILST coordinator', 'Term 1', 'R 500', 0),
(8, 21, 'Quieter classroom', 'M', 'Class moved to block C; felt pads on chairs; acoustic panels requested', ' ', 'Principal', 'Term 2', 'R 3 000', 0),
(8, 26, 'Sign language for the family', 'L', 'Give the mother information about evening SASL classes', 'Teach her brothers the signs she learns', 'ILST coordinator', 'Term 3', 'R 0', 0),
(1, 1, 'School psychologist', 'M', 'DBST psychologist to review the behaviour plan each term', 'Take part in the play therapy group', 'DBST', 'Each term', 'R 0', 0),
(1, 11, 'Short tasks and picture instructions', 'M', 'Educators break tasks into steps', 'Use his checklist', 'Class educator', 'Daily', 'R 0', 0),
(4, 1, 'Itinerant teacher of the visually impaired', 'H', 'Two visits a week', 'Practise Braille daily', 'DBST', 'Whole year', 'R 0', 0),
(4, 6, 'Desktop magnifier and Perkins Brailler', 'H', 'Order through the DBST', 'Use the devices in class', 'DBST', 'Term 2', 'R 25 000', 0),
(4, 21, 'Safe environment', 'L', 'Yellow step edges and better lighting', 'Learn the routes with the mobility teacher', 'Caretaker', 'Term 1', 'R 2 000', 0),
(11, 1, 'Class assistant', 'H', 'Appoint an assistant for personal care', ' ', 'DBST', 'Term 2', 'R 36 000', 0),
(11, 21, 'Ramps and accessible toilet', 'H', 'Build ramps at the toilets and the tuck shop; adapt one toilet', ' ', 'School governing body', 'By the end of the year', 'R 45 000', 0),
(11, 26, 'Transport to therapy', 'M', 'Help the grandparents to arrange transport with the clinic', 'Attend therapy monthly', 'ILST coordinator', 'Monthly', 'R 0', 0);

-- Last year's rows: the same as this year's, which the roll-over copied from them.
INSERT INTO TAV_DBST_Support_Strategy (LearnerID, Support_Area, Support_Needed, Support_Level, School_Steps, Learner_Steps, Person_Responsible, Budget, Timeframe, Data_Year)
SELECT LearnerID, Support_Area, Support_Needed, Support_Level, School_Steps, Learner_Steps, Person_Responsible, Budget, Timeframe, -1 FROM TAV_DBST_Support_Strategy WHERE Data_Year = 0;

-- Section 4, page 3: the review of action taken.
INSERT INTO TAV_Action_Review (LearnerID, [Action], Name, Outcome, Designation, Review_Date, Data_Year) VALUES
(8, 1, 'Ms P. Naidoo', 'FM system approved; delivery expected in Term 4. Itinerant teacher visits weekly since May.', 'DBST audiologist', '15/09/{YEAR}', 0),
(8, 2, 'Mrs R. Pillay', 'Zanele''s reading vocabulary improved and she completes more of her classwork. Teasing has stopped since the Life Orientation lesson. Her marks in languages are still low.', 'ILST coordinator', '20/09/{YEAR}', 0),
(8, 3, 'Mrs T. Dlamini', 'The mother attends sign language classes on Tuesday evenings.', 'Parent', '20/09/{YEAR}', 0),
(1, 1, 'Mr S. Mthembu', 'Hearing improved after the grommets; behaviour at break much better.', 'DBST psychologist', '10/09/{YEAR}', 0),
(4, 1, 'Mrs L. Coetzee', 'Desktop magnifier in use; Braille alphabet nearly learnt.', 'Itinerant teacher', '12/09/{YEAR}', 0),
(11, 1, 'Mrs N. Radebe', 'Class assistant appointed; ramp at the toilets still waiting for funding.', 'DBST therapist', '18/09/{YEAR}', 0),
(8, 1, 'Ms P. Naidoo', 'Hearing aids serviced and batteries supplied; speech therapy started in Term 2.', 'DBST audiologist', '14/09/{YEAR}', -1),
(8, 2, 'Mrs R. Pillay', 'Zanele still misses most class instructions; an FM system is to be requested next year.', 'ILST coordinator', '21/09/{YEAR}', -1),
(1, 1, 'Mrs R. Pillay', 'Report card started; referral for a hearing assessment made.', 'ILST coordinator', '11/09/{YEAR}', -1),
(4, 1, 'Mrs L. Coetzee', 'Large print worksheets in use; Braille readiness to start next year.', 'Itinerant teacher', '13/09/{YEAR}', -1),
(11, 1, 'Mrs N. Radebe', 'Ramp at the main entrance built; staff training in lifting planned for next year.', 'DBST therapist', '19/09/{YEAR}', -1);

-- The calendar years of the rows, and of the dates in them.
UPDATE TAV_Learner_Background_Info SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Health_Professional_Report SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Learner_Impairment_Area SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Criteria_For_Selection SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Criteria_For_Selection_Other SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Learning_And_Development_Barriers SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Factors_Community SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Factors_Classroom SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Factors_School SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_ISP SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Assessment_Supp_Req SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Assessment_Supp_Req_Rating SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Learner_Support_Needs SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_ILST_Intervention_Records SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_DBST_Review_ILST_Request SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_DBST_Support_Strategy SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Action_Review SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_Learner_Supp_Needs SET Data_Year = Data_Year + CAST(strftime('%Y', 'now', 'localtime') AS INTEGER);
UPDATE TAV_ISP SET Review_Date = replace(Review_Date, '{YEAR}', Data_Year);
UPDATE TAV_Action_Review SET Review_Date = replace(Review_Date, '{YEAR}', Data_Year);
