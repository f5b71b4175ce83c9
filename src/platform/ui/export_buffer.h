#pragma once

#include "common/text.h"

#include <string>

#include <QWidget>

namespace platform::ui {

// The hidden multi-line box that gathers the export records. It keeps its bytes exactly ("\r\n"
// stays "\r\n", no length limit), takes no input and is never shown: nothing ever needs to draw
// it, so it holds no displayed form at all.
class ExportBuffer : public QWidget {
public:
    explicit ExportBuffer(QWidget* parent);

    [[nodiscard]] Text Content() const;
    // Adds the text at the end, where the caret goes before the insertion.
    void AppendText(Text const& text);

    // Stays hidden whatever is asked of it.
    void setVisible(bool visible) override;

private:
    std::string bytes_;
};

} // namespace platform::ui
