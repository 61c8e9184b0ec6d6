#include "lvx/dialogs/Form.h"
#include "lvx/dialogs/User.h"

namespace lvx::dialogs {

namespace {

// Stands in while no user is installed: closes every form at once and acknowledges every message
// box, so that a host that forgot to choose a user never hangs.
class AbsentUser final : public User {
  public:
    std::optional<Action> nextAction(const Form&) override { return std::nullopt; }
    void actionFailed(const Form&, const Action&, const std::string&) override {}
    void acknowledgeMessage(std::string_view, std::string_view) override {}
};

AbsentUser absentUser;
User* installed = nullptr;

}  // namespace

User::~User() = default;

User& currentUser() {
    return installed ? *installed : absentUser;
}

User* setCurrentUser(User* user) {
    User* previous = installed;
    installed = user;
    return previous;
}

}  // namespace lvx::dialogs
