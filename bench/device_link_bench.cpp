// Transactions per second against a real simulator process, and what the
// program and libCorvial.so add to each one: the same request is timed once
// through the device link and once over a bare socket straight to the
// simulator's configuration endpoint.
#include <benchmark/benchmark.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "device/device_service.h"
#include "device/keyboard_commands.h"
#include "device/report_packet.h"
#include "device/result_codes.h"
#include "device/settings_block.h"
#include "tests/support/real_service.h"
#include "tests/support/sim_process.h"

namespace {

struct Rig {
  std::unique_ptr<testsupport::SimProcess> sim;
  std::unique_ptr<device::DeviceLink> link;
};
Rig* rig = nullptr;

void SetLatency(const benchmark::State& state) {
  const double milliseconds = static_cast<double>(state.range(0)) / 1000.0;
  rig->sim->Control("latency " + std::to_string(milliseconds));
}

void BM_Transaction(benchmark::State& state) {
  SetLatency(state);
  device::SettingsBlock block{};
  for (auto _ : state) {
    if (device::ReadSettingsBlock(*rig->link, block) != device::kResultOk) {
      state.SkipWithError("transaction failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
}

// The keyboard and the socket alone: what any program must pay.
void BM_BareRoundTrip(benchmark::State& state) {
  SetLatency(state);
  const int fd = socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string path = rig->sim->keyboardFolder() + "/cfg";
  std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
  if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    state.SkipWithError("cannot connect");
    close(fd);
    return;
  }
  const device::ReportPacket request =
      device::BuildRequest(device::kCommandReadSettingsBlock, 44, 0);
  unsigned char reply[512];
  for (auto _ : state) {
    if (send(fd, request.data(), request.size(), MSG_NOSIGNAL) != 64 ||
        recv(fd, reply, sizeof reply, 0) <= 0) {
      state.SkipWithError("round trip failed");
      break;
    }
  }
  close(fd);
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_Transaction)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BareRoundTrip)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
  rig = new Rig();
  testsupport::RealService& service = testsupport::RealService::Get();
  rig->sim = std::make_unique<testsupport::SimProcess>(service.simFolder(), "bench",
                                                       service.folder() + "/bench.state");
  if (!service.loaded()) return 1;
  rig->link = std::make_unique<device::DeviceLink>(service.api());
  rig->link->StartControlChannel();
  if (!testsupport::WaitUntil([] { return rig->link->DeviceCount() == 1; })) return 1;

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  rig->link.reset();
  rig->sim.reset();
  delete rig;
  return 0;
}
