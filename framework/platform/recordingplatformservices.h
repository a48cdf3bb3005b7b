// RecordingPlatformServices: platform services for tests and scripts. Nothing is shown:
// message boxes take their answers from a queue (the default answer of the box when the queue
// is empty) and every prompt is recorded with the answer it got; beeps are counted; errors
// and help topics are recorded. Install it with ScopedPlatformServices (or PlatformServices::setInstance).
#pragma once

#include "platformservices.h"

#include <QStringList>

#include <memory>

namespace Velt {

class VELT_EXPORT RecordingPlatformServices : public PlatformServices
{
public:
    struct Prompt
    {
        QString text;
        int flags = 0;
        QString title;
        int answer = 0;
    };

    RecordingPlatformServices();
    ~RecordingPlatformServices() override;

    // Queues the answers the next message boxes give, in order.
    void queueAnswer(int answer);
    void queueAnswers(const QList<int>& answers);
    QList<int> pendingAnswers() const;

    QList<Prompt> prompts() const;
    int beeps() const;
    QStringList shownErrors() const;
    QStringList helpTopics() const;
    // Forgets everything recorded and every pending answer.
    void clear();

    int messageBox(const QString& prompt, int flags = OkOnly, const QString& title = QString(),
                   QWidget* parent = nullptr) override;
    void beep() override;
    void showHelp(const QString& topic = QString(), QWidget* parent = nullptr) override;
    void showError(const QString& messages) override;

private:
    struct Private;
    std::unique_ptr<Private> const d;
};

} // namespace Velt
