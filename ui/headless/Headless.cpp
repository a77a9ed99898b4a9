#include "ui/headless/Headless.h"

#include <algorithm>

#include "ui/Form.h"

namespace sm::ui::headless {

static void ClearPeers(Widget& w) {
  for (Widget* c : w.Children()) ClearPeers(*c);
  w.SetPeer(nullptr);
}

void HeadlessBackend::CreatePeers(TForm& form) { shown_.push_back(&form); }

void HeadlessBackend::DestroyPeers(TForm& form) {
  ClearPeers(form);
  shown_.erase(std::remove(shown_.begin(), shown_.end(), &form), shown_.end());
}

void HeadlessBackend::BeginModal(TForm& form) {
  std::vector<TForm*> off;
  for (TForm* f : shown_)
    if (f != &form && !IsDisabled(*f)) off.push_back(f);
  disabled_.push_back(off);
}

void HeadlessBackend::EndModal(TForm&) {
  if (!disabled_.empty()) disabled_.pop_back();
}

bool HeadlessBackend::IsDisabled(const TForm& f) const {
  for (const auto& level : disabled_)
    if (std::find(level.begin(), level.end(), &f) != level.end()) return true;
  return false;
}

void HeadlessBackend::RunLoop(TForm& form, const std::function<bool()>& done) {
  if (done()) return;
  if (modalScripts.empty())
    throw std::logic_error("headless: no script queued for form " + form.Name);
  auto script = std::move(modalScripts.front());
  modalScripts.pop_front();
  script(form);
  if (!done()) throw std::logic_error("headless: form " + form.Name + " still open after its script");
}

FrameSize HeadlessBackend::Frame(const TForm& form) {
  return form.Border == BorderStyle::None ? FrameSize{0, 0} : frame;
}

TimerId HeadlessBackend::StartTimer(int ms, std::function<void()> fn) {
  TimerId id = nextId_++;
  timers_[id] = Timer{now_ + ms, ms, std::move(fn)};
  return id;
}

void HeadlessBackend::StopTimer(TimerId id) { timers_.erase(id); }

void HeadlessBackend::Advance(int ms) {
  const long long end = now_ + ms;
  for (;;) {
    auto next = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it)
      if (it->second.due <= end && (next == timers_.end() || it->second.due < next->second.due))
        next = it;
    if (next == timers_.end()) break;
    now_ = next->second.due;
    next->second.due += next->second.ms;
    TimerId id = next->first;
    auto fn = next->second.fn;   // the callback may stop or restart its own timer
    (void)id;
    fn();
  }
  now_ = end;
}

int HeadlessBackend::ShowMessage(const MessageRequest& r) {
  messages.push_back(r);
  if (answers.empty()) throw std::logic_error("headless: no answer queued for message: " + r.text);
  int a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<std::vector<std::string>> HeadlessBackend::OpenFiles(const FileRequest& r) {
  fileRequests.push_back(r);
  if (files.empty()) throw std::logic_error("headless: no file answer queued");
  auto a = std::move(files.front());
  files.pop_front();
  return a;
}

int HeadlessBackend::TrackPopup(const TPopupMenu&, Point screen) {
  menuPositions.push_back(screen);
  if (menuChoices.empty()) throw std::logic_error("headless: no popup-menu choice queued");
  int c = menuChoices.front();
  menuChoices.pop_front();
  return c;
}

}  // namespace sm::ui::headless
