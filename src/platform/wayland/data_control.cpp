#include "platform/wayland/data_control.h"

#include <algorithm>

#include "ext-data-control-v1-client-protocol.h"
#include "wlr-data-control-unstable-v1-client-protocol.h"

namespace tagsmit::wayland {
namespace {

// The generated names of one data-control protocol, by their meaning. The
// two protocols have the same messages in the same order under different
// prefixes, so one definition names both.
#define TAGSMIT_DATA_CONTROL_PROTOCOL(Name, prefix, max_version)                             \
  struct Name {                                                                              \
    using Manager = prefix##_manager_v1;                                                     \
    using Device = prefix##_device_v1;                                                       \
    using Source = prefix##_source_v1;                                                       \
    using Offer = prefix##_offer_v1;                                                         \
    using DeviceListener = prefix##_device_v1_listener;                                      \
    using SourceListener = prefix##_source_v1_listener;                                      \
    using OfferListener = prefix##_offer_v1_listener;                                        \
    static constexpr const wl_interface* kManagerInterface = &prefix##_manager_v1_interface; \
    static constexpr std::uint32_t kMaxVersion = max_version;                                \
    static constexpr auto get_data_device = &prefix##_manager_v1_get_data_device;            \
    static constexpr auto create_data_source = &prefix##_manager_v1_create_data_source;      \
    static constexpr auto set_selection = &prefix##_device_v1_set_selection;                 \
    static constexpr auto offer = &prefix##_source_v1_offer;                                 \
    static constexpr auto receive = &prefix##_offer_v1_receive;                              \
    static constexpr auto destroy_offer = &prefix##_offer_v1_destroy;                        \
    static constexpr auto destroy_source = &prefix##_source_v1_destroy;                      \
    static constexpr auto add_device_listener = &prefix##_device_v1_add_listener;            \
    static constexpr auto add_source_listener = &prefix##_source_v1_add_listener;            \
    static constexpr auto add_offer_listener = &prefix##_offer_v1_add_listener;              \
  }

TAGSMIT_DATA_CONTROL_PROTOCOL(ExtProtocol, ext_data_control, 1);
// Version 2 adds the primary selection, whose events the device then hears.
TAGSMIT_DATA_CONTROL_PROTOCOL(WlrProtocol, zwlr_data_control, 2);
#undef TAGSMIT_DATA_CONTROL_PROTOCOL

void Forget(void* proxy) {
  wl_proxy_destroy(static_cast<wl_proxy*>(proxy));
}

template <typename P>
class DataControlOf final : public DataControl {
 public:
  DataControlOf(typename P::Manager* manager, wl_seat* seat)
      : manager_(manager), device_(P::get_data_device(manager, seat)) {
    P::add_device_listener(device_, &kDeviceListener, this);
  }
  DataControlOf(const DataControlOf&) = delete;
  DataControlOf& operator=(const DataControlOf&) = delete;

  ~DataControlOf() override {
    for (const auto& offer : offers_) Forget(offer->proxy);
    if (source_) Forget(source_);
    Forget(device_);
    Forget(manager_);
  }

  void SetSelection(std::span<const char* const> mime_types, SelectionRequests& requests) override {
    requests_ = &requests;
    source_ = P::create_data_source(manager_);
    P::add_source_listener(source_, &kSourceListener, this);
    for (const char* type : mime_types) P::offer(source_, type);
    P::set_selection(device_, source_);
  }

  const std::vector<std::string>* SelectionTypes() const override {
    return selection_ ? &selection_->types : nullptr;
  }

  void Receive(const char* mime_type, int fd) override {
    P::receive(selection_->proxy, mime_type, fd);
  }

 private:
  // An offer the compositor has introduced, with the MIME types it named.
  struct OfferState {
    typename P::Offer* proxy;
    std::vector<std::string> types;
  };

  static DataControlOf& Self(void* data) { return *static_cast<DataControlOf*>(data); }

  // Destroys the offers for which `drop` holds: the compositor keeps each
  // offer until its client destroys it.
  template <typename Predicate>
  void DropOffers(Predicate drop) {
    std::erase_if(offers_, [&](const std::unique_ptr<OfferState>& offer) {
      if (!drop(*offer)) return false;
      P::destroy_offer(offer->proxy);
      return true;
    });
  }

  static void OnDataOffer(void* data, typename P::Device*, typename P::Offer* proxy) {
    auto& offers = Self(data).offers_;
    offers.push_back(std::make_unique<OfferState>(OfferState{proxy, {}}));
    P::add_offer_listener(proxy, &kOfferListener, offers.back().get());
  }
  static void OnOffer(void* data, typename P::Offer*, const char* mime_type) {
    static_cast<OfferState*>(data)->types.emplace_back(mime_type);
  }
  // Each new selection replaces the one before; only it is kept.
  static void OnSelection(void* data, typename P::Device*, typename P::Offer* proxy) {
    DataControlOf& self = Self(data);
    self.selection_ = nullptr;
    self.DropOffers([&](OfferState& offer) {
      if (offer.proxy != proxy) return true;
      self.selection_ = &offer;
      return false;
    });
  }
  // The primary selection is not the clipboard.
  static void OnPrimarySelection(void* data, typename P::Device*, typename P::Offer* proxy) {
    Self(data).DropOffers([&](const OfferState& offer) { return offer.proxy == proxy; });
  }
  static void OnFinished(void* data, typename P::Device*) {
    if (SelectionRequests* requests = Self(data).requests_) requests->DeviceGone();
  }
  static void OnSend(void* data, typename P::Source*, const char* mime_type, int32_t fd) {
    Self(data).requests_->Send(mime_type, fd);
  }
  // A cancelled source is of no further use; the compositor keeps it until
  // it is destroyed.
  static void OnCancelled(void* data, typename P::Source*) {
    DataControlOf& self = Self(data);
    P::destroy_source(self.source_);
    self.source_ = nullptr;
    self.requests_->Replaced();
  }

  static constexpr typename P::DeviceListener kDeviceListener = {&OnDataOffer, &OnSelection,
                                                                 &OnFinished, &OnPrimarySelection};
  static constexpr typename P::SourceListener kSourceListener = {&OnSend, &OnCancelled};
  static constexpr typename P::OfferListener kOfferListener = {&OnOffer};

  typename P::Manager* manager_;
  typename P::Device* device_;
  typename P::Source* source_ = nullptr;
  SelectionRequests* requests_ = nullptr;
  std::vector<std::unique_ptr<OfferState>> offers_;
  OfferState* selection_ = nullptr;
};

template <typename P>
std::unique_ptr<DataControl> Bind(wl_registry* registry, const DataControl::Global& manager,
                                  wl_seat* seat) {
  const std::uint32_t version = std::min(manager.version, P::kMaxVersion);
  auto* bound = static_cast<typename P::Manager*>(
      wl_registry_bind(registry, manager.name, P::kManagerInterface, version));
  return std::make_unique<DataControlOf<P>>(bound, seat);
}

}  // namespace

std::unique_ptr<DataControl> BindDataControl(wl_registry* registry,
                                             const DataControl::Global& manager, wl_seat* seat) {
  return manager.protocol == DataControl::Protocol::kExt
             ? Bind<ExtProtocol>(registry, manager, seat)
             : Bind<WlrProtocol>(registry, manager, seat);
}

}  // namespace tagsmit::wayland
