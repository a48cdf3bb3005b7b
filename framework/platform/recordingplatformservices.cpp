#include "recordingplatformservices.h"

#include <limits>

namespace Velt {

struct RecordingPlatformServices::Private
{
    QList<int> answers;
    QList<Prompt> prompts;
    int beeps = 0;
    QStringList errors;
    QStringList helpTopics;
};

RecordingPlatformServices::RecordingPlatformServices() : d(std::make_unique<Private>()) { }
RecordingPlatformServices::~RecordingPlatformServices() = default;

void RecordingPlatformServices::queueAnswer(int answer) { d->answers.append(answer); }
void RecordingPlatformServices::queueAnswers(const QList<int>& answers) { d->answers.append(answers); }
QList<int> RecordingPlatformServices::pendingAnswers() const { return d->answers; }
QList<RecordingPlatformServices::Prompt> RecordingPlatformServices::prompts() const { return d->prompts; }
int RecordingPlatformServices::beeps() const { return d->beeps; }
QStringList RecordingPlatformServices::shownErrors() const { return d->errors; }
QStringList RecordingPlatformServices::helpTopics() const { return d->helpTopics; }

void RecordingPlatformServices::clear()
{
    d->answers.clear();
    d->prompts.clear();
    d->beeps = 0;
    d->errors.clear();
    d->helpTopics.clear();
}

int RecordingPlatformServices::messageBox(const QString& prompt, int flags, const QString& title,
                                          QWidget*)
{
    const int answer = d->answers.isEmpty() ? defaultAnswer(flags) : d->answers.takeFirst();
    d->prompts.append({prompt, flags, title.isEmpty() ? defaultTitle() : title, answer});
    return answer;
}

void RecordingPlatformServices::beep()
{
    if (d->beeps < std::numeric_limits<int>::max())
        ++d->beeps;
}

void RecordingPlatformServices::showHelp(const QString& topic, QWidget*)
{
    d->helpTopics.append(topic);
}

void RecordingPlatformServices::showError(const QString& messages) { d->errors.append(messages); }

} // namespace Velt
