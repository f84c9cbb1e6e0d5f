// A label that opens its target when clicked: underlined, a hand cursor,
// the target as tooltip, and colours for normal, hovered and visited links.
#pragma once

#include <QColor>
#include <QLabel>
#include <functional>

namespace skin {

class CHyperLink : public QLabel {
  Q_OBJECT

 public:
  // Opens a target; returns whether it could. The default goes through
  // QDesktopServices::openUrl.
  using Opener = std::function<bool(const QString& target)>;

  explicit CHyperLink(QWidget* parent = nullptr);

  // The tooltip follows the target; so does the text while none is set.
  void SetTarget(const QString& target);
  QString Target() const { return target_; }
  // An empty text shows the target.
  void SetText(const QString& text);
  void SetLinkColours(const QColor& normal, const QColor& visited, const QColor& hover);
  void SetOpener(Opener opener) { opener_ = std::move(opener); }
  // Set once the target has been opened.
  bool IsVisited() const { return visited_; }
  void SetVisited(bool visited);
  QColor CurrentLinkColour() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void UpdateText();
  void UpdateColour();

  QString target_;
  QString text_;
  QColor normal_{0, 0, 238};
  QColor visitedColour_{85, 26, 139};
  QColor hoverColour_{0, 0, 255};
  bool visited_ = false;
  bool hover_ = false;
  bool pressed_ = false;
  Opener opener_;
};

}  // namespace skin
