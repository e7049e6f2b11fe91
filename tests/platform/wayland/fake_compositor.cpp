#include "fake_compositor.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-server.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "ext-data-control-v1-server-protocol.h"
#include "wlr-data-control-unstable-v1-server-protocol.h"
#include "xdg-system-bell-v1-server-protocol.h"

namespace tagsmit::wayland::testing {
namespace {

FakeCompositor& Of(wl_resource* resource) {
  return *static_cast<FakeCompositor*>(wl_resource_get_user_data(resource));
}

void Destroy(wl_client*, wl_resource* resource) {
  wl_resource_destroy(resource);
}

// The generated server names of one data-control protocol.
#define TAGSMIT_SERVER_NAMES(Name, prefix, protocol)                                           \
  struct Name {                                                                                \
    static constexpr DataControl::Protocol kProtocol = protocol;                               \
    static constexpr const wl_interface* kManager = &prefix##_manager_v1_interface;            \
    static constexpr const wl_interface* kDevice = &prefix##_device_v1_interface;              \
    static constexpr const wl_interface* kSource = &prefix##_source_v1_interface;              \
    static constexpr const wl_interface* kOffer = &prefix##_offer_v1_interface;                \
    using ManagerCalls = struct prefix##_manager_v1_interface;                                 \
    using DeviceCalls = struct prefix##_device_v1_interface;                                   \
    using SourceCalls = struct prefix##_source_v1_interface;                                   \
    using OfferCalls = struct prefix##_offer_v1_interface;                                     \
    static constexpr auto send_data_offer = &prefix##_device_v1_send_data_offer;               \
    static constexpr auto send_selection = &prefix##_device_v1_send_selection;                 \
    static constexpr auto send_primary_selection = &prefix##_device_v1_send_primary_selection; \
    static constexpr auto send_offer = &prefix##_offer_v1_send_offer;                          \
    static constexpr auto send_send = &prefix##_source_v1_send_send;                           \
    static constexpr auto send_cancelled = &prefix##_source_v1_send_cancelled;                 \
  }
TAGSMIT_SERVER_NAMES(ExtNames, ext_data_control, DataControl::Protocol::kExt);
TAGSMIT_SERVER_NAMES(WlrNames, zwlr_data_control, DataControl::Protocol::kWlr);
#undef TAGSMIT_SERVER_NAMES

template <typename P>
struct DataControlServer {
  static wl_resource* Create(wl_client* client, const wl_interface* interface, wl_resource* parent,
                             std::uint32_t id, const void* calls) {
    wl_resource* made = wl_resource_create(client, interface, wl_resource_get_version(parent), id);
    wl_resource_set_implementation(made, calls, wl_resource_get_user_data(parent), nullptr);
    return made;
  }
  static void Bind(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
    wl_resource* manager = wl_resource_create(client, P::kManager, version, id);
    wl_resource_set_implementation(manager, &kManagerCalls, data, nullptr);
    static_cast<FakeCompositor*>(data)->record.bound.push_back(P::kProtocol);
  }
  static void CreateSource(wl_client* client, wl_resource* manager, std::uint32_t id) {
    Create(client, P::kSource, manager, id, &kSourceCalls);
  }
  // Introduces a new offer of `types` to `device`.
  static wl_resource* NewOffer(wl_resource* device, const std::vector<std::string>& types) {
    wl_resource* offer = Create(wl_resource_get_client(device), P::kOffer, device, 0, &kOfferCalls);
    P::send_data_offer(device, offer);
    for (const std::string& type : types) P::send_offer(offer, type.c_str());
    return offer;
  }
  static void GetDevice(wl_client* client, wl_resource* manager, std::uint32_t id, wl_resource*) {
    wl_resource* device = Create(client, P::kDevice, manager, id, &kDeviceCalls);
    const auto& clipboard = Of(manager).setup.clipboard;
    P::send_selection(device, clipboard ? NewOffer(device, *clipboard) : nullptr);
  }
  static void Offer(wl_client*, wl_resource* source, const char* type) {
    Of(source).record.offered.emplace_back(type);
  }
  static void SetSelection(wl_client* client, wl_resource* device, wl_resource* source) {
    FakeCompositor& fake = Of(device);
    for (const std::string& type : fake.setup.reads) {
      int pipe_fds[2];
      if (pipe2(pipe_fds, O_CLOEXEC) != 0) std::abort();
      P::send_send(source, type.c_str(), pipe_fds[1]);
      close(pipe_fds[1]);
      fake.record.answers.push_back(pipe_fds[0]);
    }
    for (int change = 0; change < fake.setup.primary_changes; ++change) {
      P::send_primary_selection(device, NewOffer(device, {"text/plain"}));
    }
    P::send_selection(device, NewOffer(device, fake.record.offered));
    // Idle work runs once the requests at hand are done, the client's sync
    // among them.
    wl_event_loop_add_idle(wl_display_get_event_loop(wl_client_get_display(client)), &Replace,
                           new Selection{device, source});
  }
  struct Selection {
    wl_resource* device;
    wl_resource* source;
  };
  static void Replace(void* data) {
    const std::unique_ptr<Selection> selection(static_cast<Selection*>(data));
    P::send_selection(selection->device, NewOffer(selection->device, {"text/plain"}));
    P::send_cancelled(selection->source);
  }
  static void SetPrimarySelection(wl_client*, wl_resource*, wl_resource*) {}
  static void Receive(wl_client*, wl_resource*, const char* type, std::int32_t fd) {
    const std::string answer = std::string("clipboard as ") + type;
    if (write(fd, answer.data(), answer.size()) < 0) std::abort();
    close(fd);
  }

  static constexpr typename P::ManagerCalls kManagerCalls = {&CreateSource, &GetDevice, &Destroy};
  static constexpr
      typename P::DeviceCalls kDeviceCalls = {&SetSelection, &Destroy, &SetPrimarySelection};
  static constexpr typename P::SourceCalls kSourceCalls = {&Offer, &Destroy};
  static void DestroyOffer(wl_client*, wl_resource* offer) {
    ++Of(offer).record.offers_destroyed;
    wl_resource_destroy(offer);
  }

  static constexpr typename P::OfferCalls kOfferCalls = {&Receive, &DestroyOffer};
};

void BindSeat(wl_client* client, void*, std::uint32_t version, std::uint32_t id) {
  wl_resource_set_implementation(wl_resource_create(client, &wl_seat_interface, version, id),
                                 nullptr, nullptr, nullptr);
}

void Ring(wl_client*, wl_resource* bell, wl_resource*) {
  ++Of(bell).record.rings;
}

void BindBell(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
  static constexpr struct xdg_system_bell_v1_interface kBell = {&Destroy, &Ring};
  wl_resource_set_implementation(
      wl_resource_create(client, &xdg_system_bell_v1_interface, version, id), &kBell, data,
      nullptr);
}

}  // namespace

FakeCompositor::FakeCompositor(Setup setup_in) : setup(std::move(setup_in)) {
  char folder[] = "/tmp/tagsmit-wayland-XXXXXX";
  if (!mkdtemp(folder)) std::abort();
  runtime_dir_ = folder;
  setenv("XDG_RUNTIME_DIR", folder, 1);
  display_ = wl_display_create();
  const char* socket = wl_display_add_socket_auto(display_);
  if (!socket) std::abort();
  setenv("WAYLAND_DISPLAY", socket, 1);
  wl_global_create(display_, &wl_seat_interface, 1, this, &BindSeat);
  if (setup.ext)
    wl_global_create(display_, &ext_data_control_manager_v1_interface, 1, this,
                     &DataControlServer<ExtNames>::Bind);
  if (setup.wlr)
    wl_global_create(display_, &zwlr_data_control_manager_v1_interface, 2, this,
                     &DataControlServer<WlrNames>::Bind);
  if (setup.bell) wl_global_create(display_, &xdg_system_bell_v1_interface, 1, this, &BindBell);
  thread_ = std::thread([this] {
    wl_event_loop* loop = wl_display_get_event_loop(display_);
    while (!stopping_) {
      wl_event_loop_dispatch(loop, 10);
      wl_display_flush_clients(display_);
    }
  });
}

const FakeCompositor::Record& FakeCompositor::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
  return record;
}

FakeCompositor::~FakeCompositor() {
  Stop();
  wl_display_destroy_clients(display_);
  wl_display_destroy(display_);
  for (int fd : record.answers) close(fd);
  std::error_code ignored;
  std::filesystem::remove_all(runtime_dir_, ignored);
}

}  // namespace tagsmit::wayland::testing
