#include "AnimationStepper.h"

#include <QAbstractAnimation>
#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QPointer>

void advanceAnimations(QObject* root, int ms)
{
    QList<QPointer<QAbstractAnimation>> running;
    for (QAbstractAnimation* animation : root->findChildren<QAbstractAnimation*>()) {
        if (!animation->group() && animation->state() == QAbstractAnimation::Running)
            running << animation;
    }
    for (const QPointer<QAbstractAnimation>& animation : running) {
        if (animation)
            animation->setCurrentTime(animation->currentTime() + ms);
    }
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
