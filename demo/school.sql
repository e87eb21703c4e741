-- Demo school: the host product's tables that the program reads and writes,
-- with fictional data. The program creates its own TAV_ tables itself.
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
