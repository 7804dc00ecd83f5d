// Test support: answers every message box while it lives, records what was asked.
#pragma once

#include "platform/base/MessageBox.h"

#include <deque>
#include <vector>

class ModalRecorder {
public:
    // Boxes are answered from `answers` in order; when it runs out, with `fallback`.
    explicit ModalRecorder(std::deque<int> answers = {}, int fallback = IDOK);
    ~ModalRecorder();
    ModalRecorder(const ModalRecorder&) = delete;
    ModalRecorder& operator=(const ModalRecorder&) = delete;

    const std::vector<MessageBoxRequest>& Boxes() const { return m_boxes; }
    void Clear() { m_boxes.clear(); }

private:
    std::deque<int> m_answers;
    int m_fallback;
    std::vector<MessageBoxRequest> m_boxes;
    MessageBoxHandler m_previous;
};
