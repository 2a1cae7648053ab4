#pragma once

#include "GroupScoreFile.h"
#include "RollCallPick.h"
#include "RollCallTables.h"
#include "application/RollCallSettings.h"
#include "platform/base/ProfileFile.h"

#include <QObject>

// The lesson of the roll-call: the group tables read from the score files, the settings in
// effect and the student on call, with what the windows do to them. The main window shows
// it and forwards its buttons; the drum game, the tool bar and the settings dialog ask it.
// Every change is signalled, so that each window shows what it needs.
class RollCallLesson : public QObject
{
    Q_OBJECT

public:
    // The settings file and the default score folder are found in the program folder.
    explicit RollCallLesson(const QString &programFolder, QObject *parent = nullptr);

    const RollCallSettings &settings() const { return m_settings; }
    const RollCallTables &tables() const { return m_tables; }
    QString settingsPath() const { return m_strSettingsPath; }

    // Reads the settings file; keys absent or empty keep their values.
    void LoadSettings();
    // The same from the file as read once.
    void LoadSettings(const ProfileFile::Contents &file);
    // Puts the settings in effect as they are; nothing is written or read again.
    void UseSettings(const RollCallSettings &settings);
    // The tool bar's two switches.
    void UseEffects(int voice, int showDonghua);

    struct SettingsTaken
    {
        QString writeError; // empty when the file was written
        // Another number of groups, or another base score for the load to credit: the group
        // files want reading again, which drops the grades given since they were read.
        bool reloadWanted = false;
    };
    // The settings dialog's OK: the edited settings take effect and go to the file, the
    // picture always and the other keys when othersChanged.
    SettingsTaken TakeSettings(const RollCallSettings &edited, bool othersChanged);
    // Whether taking the edited settings wants the group files read again.
    bool WantsReload(const RollCallSettings &edited) const;

    // Reads groups 1..numOfClass, crediting each student with the base score. Nobody is on
    // call in the new tables; the first group is shown when every file was read, none
    // otherwise. A bad number of groups changes nothing.
    GroupScoreFile::LoadResult LoadGroupScores(const QString &scoreDir, int numOfClass);
    // Why the last load read no group at all: the files left out and the one that could not
    // be read, or a number of groups that reads nothing.
    QString NothingReadMessage() const;
    // The groups the last load offers to choose from: those read, and the one that failed.
    int groupsListed() const { return m_nGroupsListed; }
    // Writes the summary and every group read; the paths that could not be written come
    // back. When all were written, nothing is left unsaved.
    QStringList Save();
    // The group files someone else changed since they were read (or last written).
    QStringList ChangedFiles() const;
    // A lesson begun and not saved: the groups read are credited with the base score, and a
    // save would count the lesson. Every way out asks about it.
    bool isUnsaved() const { return m_tables.hasLoadedGroup() && !m_bSaved; }
    // Grades or absences given since the groups were read or saved.
    bool hasUnsavedGrades() const { return m_tables.m_bGraded; }

    // The group shown (0-based), -1 for none; the student on call is always of it.
    int currentGroup() const { return m_nGroup; }
    // The number on call (1-based), 0 for nobody.
    int StudentOnCall() const;
    // Another group chosen: nobody of it is on call yet.
    void ChooseGroup(int group);

    enum class PickRefusal { None, BadGroupCount, NoGroupChosen, EmptyGroup, NoGroupWithStudents };
    struct PickStart
    {
        int group = -1;
        PickRefusal refusal = PickRefusal::None;
    };
    // Begins a pick: reseeds the random source and takes the group shown, or draws one with
    // DrawGroup when the pick also chooses the group.
    PickStart StartPick();
    // What to tell the teacher for a refused pick.
    static QString refusalText(PickRefusal refusal);
    // A group read for the lesson that has students, and whether there is one at all.
    bool HasStudents(int group) const;
    bool HasGroupWithStudents() const;
    // The one draw of a random group, for the pick and every beat of the drum game: a group
    // read for the lesson that has students, -1 when there is none.
    int DrawGroup() const;
    // One draw in the group, which is shown with the student put on call; a number of 0
    // (nothing changed) when the group has no student.
    RollCallPick::Draw Draw(int group);
    // A student chosen by hand; false (nothing changed) when group and number address nobody.
    bool Choose(int group, int number);

    // Adds (gradeScore - the base score the load credited) to the student on call; false
    // when nobody is on call.
    bool Grade(int gradeScore);
    // Takes the credited base score off the student on call while the lesson score is not 0;
    // true when a score changed.
    bool Absent();

signals:
    // The group shown or the student on call changed, or the tables were read again.
    void studentOnCallChanged();
    void scoresChanged();
    void settingsChanged();

private:
    void putOnCall(int group, int number);

    const QString m_strSettingsPath;
    RollCallSettings m_settings;
    RollCallTables m_tables;
    QStringList m_unrecognised;
    // The message of the file the last load could not read, empty when it read every file.
    QString m_strLoadFailure;
    int m_nGroupsListed = 0;
    bool m_bSaved = false;
    int m_nGroup = -1;
    int m_nStudentOnCall = 0;
};
