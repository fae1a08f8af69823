#include "protocol/ViewFactory.h"

#include "protocol/ClientRecord.h"
#include "protocol/ProtocolTexts.h"
#include "world/Scene.h"

namespace ocre::protocol {

ViewFactory::ViewFactory(Scene& scene, NetworkService& service) : scene_(scene), service_(service) {}

ClientView* ViewFactory::openView(const ClientRecord& record) {
    // The handshake only admits records whose port resolved, so it fits.
    views_.push_back(std::make_unique<ClientView>(record.clientNumber, kClientViewWidth, kClientViewHeight, scene_,
                                                  service_, record.host.c_str(), static_cast<uint16_t>(record.port)));
    ClientView* view = views_.back().get();
    scene_.registerView(view);
    return view;
}

}  // namespace ocre::protocol
