#pragma once

#include "platform/GridViewCell.h"

#include <memory>

class DesignableImageView;
class DesignableView;
namespace Ui {
class OptionCell;
}

// A cell of the options grid: a bordered square with the option's icon, laid
// out by its interface file for a tile of designSide points; its margins keep
// their share of any other tile, so that the icon grows and shrinks with it.
// Main thread only.
class OptionCell : public platform::GridViewCell {
    Q_OBJECT

public:
    static constexpr const char* reuseIdentifier = "OptionCell";
    static constexpr int designSide = 130;

    explicit OptionCell(QWidget* parent = nullptr);
    ~OptionCell() override;

    // Outlets, connected by the interface file.
    DesignableView* containerView() const;
    DesignableImageView* iconImageView() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::OptionCell> ui_;
};
