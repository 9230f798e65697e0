#pragma once

#include "platform/PlatformExport.h"
#include "platform/ViewController.h"

#include <QColor>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>


namespace platform {

// A small card (this widget) in the middle of the window with an optional title and message,
// a content area for the caller's own widgets, and a row of actions. Tapping
// an action dismisses the card and then runs the action's handler. A card
// with actions also closes, running none of them, on Escape or a tap beside
// it. A card without actions stays until it is dismissed in code. Present it
// with present(); it fades in (PresentationStyle::Centered).
//
// To a screen reader the card is an alert, announced as it appears, named by its
// accessible name, else its title, else its message.
//
// Action buttons are named "action0", "action1", ... in the order added.
class PLATFORM_EXPORT AlertCard : public ViewController {
    Q_OBJECT

public:
    explicit AlertCard(QString title = {}, QString message = {}, QWidget* parent = nullptr);

    QString title() const { return title_; }
    QString message() const { return message_; }

    void addAction(const QString& title, std::function<void()> handler = {});
    QStringList actionTitles() const;

    // Where callers put their own widgets (between the message and the actions);
    // it has no layout of its own. A widget made a child of the card itself
    // stays where its caller puts it, in card coordinates.
    QWidget* contentView() const { return contentView_; }

    // A fixed card size in points instead of the size the contents ask for.
    void setCardSize(std::optional<QSize> size);
    // The card's background; a translucent window colour by default.
    void setCardColor(const QColor& color);
    QColor cardColor() const;

    // The colour of the action titles of every card (the app's tint); the
    // palette's highlight colour when unset. Set once at start.
    static void setTintColor(const QColor& color);
    static QColor tintColor();

    QSize sizeHint() const override;

protected:
    void viewDidLoad() override;
    void viewDidAppear(bool animated) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void backdropTapped() override;

private:
    struct Action {
        QString title;
        std::function<void()> handler;
    };

    void trigger(int index);
    // Closes the card without running an action.
    void cancel();

    QString title_;
    QString message_;
    QList<Action> actions_;
    std::optional<QSize> cardSize_;
    QColor cardColor_;
    QWidget* contentView_ = nullptr;
    bool triggered_ = false;
};

} // namespace platform
