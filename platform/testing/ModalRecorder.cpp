// The message-box recorder (ModalRecorder.h).
#include "platform/testing/ModalRecorder.h"

ModalRecorder::ModalRecorder(std::deque<int> answers, int fallback)
    : m_answers(std::move(answers)), m_fallback(fallback)
{
    m_previous = AfxSetMessageBoxHandler([this](const MessageBoxRequest& r) {
        m_boxes.push_back(r);
        if (m_answers.empty())
            return m_fallback;
        const int a = m_answers.front();
        m_answers.pop_front();
        return a;
    });
}

ModalRecorder::~ModalRecorder() { AfxSetMessageBoxHandler(m_previous); }
