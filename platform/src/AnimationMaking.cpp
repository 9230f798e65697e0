#include "AnimationMaking.h"

#include <QPromise>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <memory>

namespace platform {

namespace {
constexpr int progressSteps = 1000;
} // namespace

AnimationMaking::AnimationMaking(ShareSheet::AnimationMaker make, QObject* parent) : QObject(parent)
{
    // The task owns the promise and the reason it may leave; the watcher, this object's
    // member, hears of them only while it exists.
    auto promise = std::make_shared<QPromise<std::optional<QByteArray>>>();
    auto error = std::make_shared<QString>();
    connect(&watcher_, &Watcher::progressValueChanged, this,
            [this](int value) { emit progress(double(value) / progressSteps); });
    connect(&watcher_, &Watcher::finished, this, [this, error] {
        std::optional<QByteArray> gif;
        if (!watcher_.isCanceled() && watcher_.future().resultCount() > 0)
            gif = watcher_.result();
        const QString why = gif || watcher_.isCanceled() ? QString() : *error;
        emit finished(std::move(gif), why);
    });
    promise->setProgressRange(0, progressSteps);
    watcher_.setFuture(promise->future());
    QThreadPool::globalInstance()->start([promise, error, make = std::move(make)] {
        promise->start();
        const auto report = [&promise](double part) {
            promise->setProgressValue(int(std::lround(std::clamp(part, 0.0, 1.0) * progressSteps)));
            return !promise->isCanceled();
        };
        QString why;
        std::optional<QByteArray> gif = make(report, why);
        *error = why.isEmpty() ? QObject::tr("The animation could not be made") : why;
        if (!promise->isCanceled())
            promise->addResult(std::move(gif));
        promise->finish();
    });
}

void AnimationMaking::cancel()
{
    watcher_.cancel();
}

} // namespace platform
