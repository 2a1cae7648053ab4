#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// Message boxes and common dialogs behind one seam. The program calls these functions;
// tests install a PromptHandler that records every text and gives scripted answers.
namespace Prompt {

// Button results keep the values callers compare against.
enum Result { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

enum Buttons { OkOnly, OkCancel, YesNo, YesNoCancel, RetryCancel };

enum Icon { NoIcon, Information, Warning, Question, Critical };

struct Message
{
    QString text;
    QString caption;   // empty for the application's box: the application name
    Buttons buttons = OkOnly;
    Icon icon = Warning;
    bool applicationBox = true;
};

struct FileRequest
{
    QString caption;
    QString directory;
    QString filter;
    bool save = false;
};

class Handler
{
public:
    virtual ~Handler() = default;
    virtual int message(QWidget *owner, const Message &message) = 0;
    virtual QString fileName(QWidget *owner, const FileRequest &request) = 0;
    virtual bool font(QWidget *owner, QFont &font, QColor &color) = 0;
    virtual bool color(QWidget *owner, QColor &color) = 0;
};

// The application's message box: the application name as caption, OK, warning icon.
int app(const QString &text);

// A box owned by a window, with the caller's caption (the application name when empty),
// buttons and icon. Returns the button pressed.
int box(QWidget *owner, const QString &text, const QString &caption = {},
        Buttons buttons = OkOnly, Icon icon = Warning);

// Empty when the teacher cancels.
QString openFileName(QWidget *owner, const QString &caption, const QString &directory,
                     const QString &filter);
QString saveFileName(QWidget *owner, const QString &caption, const QString &directory,
                     const QString &filter);

// The font chooser, which takes the text colour in the same step, and the colour chooser;
// false when cancelled, the arguments unchanged then.
bool chooseFont(QWidget *owner, QFont &font, QColor &color);
bool chooseColor(QWidget *owner, QColor &color);

// Installs a handler (not owned); nullptr restores the real dialogs.
void setHandler(Handler *handler);

} // namespace Prompt
