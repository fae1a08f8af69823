#pragma once
// Opens the view of each admitted client and registers it with the scene,
// which refreshes it every pass from then on. Views live as long as the
// factory: the protocol has no disconnection.

#include <memory>
#include <vector>

#include "protocol/ClientView.h"

namespace ocre {

class NetworkService;
class Scene;

namespace protocol {

struct ClientRecord;

class ViewFactory {
public:
    ViewFactory(Scene& scene, NetworkService& service);

    // A 640 x 480 view at origin (0, 0), following nothing, sending to the
    // record's host and port; registered with the scene.
    ClientView* openView(const ClientRecord& record);

private:
    Scene& scene_;
    NetworkService& service_;
    std::vector<std::unique_ptr<ClientView>> views_;
};

}  // namespace protocol
}  // namespace ocre
