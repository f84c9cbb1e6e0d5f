# Sourced: the folder in which libCorvial.so looks for simulated keyboards.
if [[ -z "${CORVIAL_SIM_DIR:-}" ]]; then
  if [[ -n "${XDG_RUNTIME_DIR:-}" ]]; then
    CORVIAL_SIM_DIR="$XDG_RUNTIME_DIR/corvial"
  else
    CORVIAL_SIM_DIR="/tmp/corvial-$(id -u)"
  fi
fi
export CORVIAL_SIM_DIR
