#pragma once
// What the GUI tests share: a prompt answered from a script, and the
// long-lived objects of the application built over memory stores.
#include <deque>
#include <string>
#include <vector>

#include "runtime/cmcEvMan.h"
#include "runtime/cmcPrompt.h"
#include "runtime/qt/cmcQtTimerHost.h"
#include "files/cmcInstanceLock.h"
#include "files/cmcMemoryKeyStore.h"
#include "files/indEnviron.h"
#include "text/cmcGTex.h"

namespace guitest {

class ScriptedPrompt : public cmcPrompt {
public:
    Answer Message(const std::string& text, const std::string&, Icon, Buttons) override {
        asked.push_back(text);
        if (answers.empty()) {
            return Answer::Ok;
        }
        Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    Answer OpenFileDialog(const FileRequest&, std::string& path) override { return Dialog(path); }
    Answer SaveFileDialog(const FileRequest&, std::string& path) override { return Dialog(path); }

    std::deque<Answer> answers;
    std::deque<std::string> paths;
    std::vector<std::string> asked;

private:
    Answer Dialog(std::string& path) {
        if (paths.empty()) {
            return Answer::Cancel;
        }
        path = paths.front();
        paths.pop_front();
        return path.empty() ? Answer::Cancel : Answer::Ok;
    }
};

class FirstLock : public cmcInstanceLock {
public:
    bool Acquire(const std::string&) override { return true; }
    void Release() override {}
    bool AlertFirst() override { return false; }
};

struct AppObjects {
    cmcQtTimerHost timers;
    cmcTimerHost::Scope scope{timers};
    FirstLock lock;
    cmcMemoryKeyStore store;
    indEnviron settings{lock, store, "lock", "Software\\Test", {1024, 768}};
    cmcGTex table;
    cmcEvMan events{timers};
    ScriptedPrompt prompt;
};

}  // namespace guitest
