#pragma once

class QWidget;

// The sibling drawn right above widget, or nullptr when it is the topmost: where a card raised
// above every control for a slide or a flip goes back to (QWidget::stackUnder) afterwards.
QWidget *widgetAbove(QWidget *widget);
