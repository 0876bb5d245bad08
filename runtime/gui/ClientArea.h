#pragma once
// The client area of a window: parent of its controls, and the surface the
// program draws boxes and characters on, beneath the controls. GUI thread.

#include <QWidget>
#include <vector>

namespace rt {

class ClientArea : public QWidget {
  public:
    ClientArea(QWidget* parent, QSize declared) : QWidget(parent), declared_(declared) {}

    void addBox(const QRect& rect, const QColor& fill, const QColor& border);
    void addText(const QPoint& at, const QString& text, const QColor& color);
    // Drops every drawing that lies inside area.
    void blank(const QRect& area);
    int drawingCount() const { return static_cast<int>(drawings_.size()); }
    QSize sizeHint() const override { return declared_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Drawing {
        QRect rect;
        QColor fill, border;
        QString text;  // non-empty for a character drawing
    };
    QSize declared_;
    std::vector<Drawing> drawings_;
};

}  // namespace rt
