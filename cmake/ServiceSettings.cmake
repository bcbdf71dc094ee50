# Build-time settings of the OCR service address. The default is the local service
# (veltrace-ocrd) on loopback, with the CA that scripts/make-certs.sh generates.
set(VELTRACE_SERVICE_PORT 18443 CACHE STRING "Port of the local OCR service")
set(VELTRACE_SERVICE_SCHEME "https" CACHE STRING "Scheme of the OCR service")
set(VELTRACE_SERVICE_HOST "127.0.0.1" CACHE STRING "Host of the OCR service")
set(VELTRACE_CERT_DIR "$ENV{HOME}/.local/share/veltrace/certs" CACHE PATH
    "Directory of the local service's CA and server certificate")
set(VELTRACE_CA_FILE "${VELTRACE_CERT_DIR}/ca.pem" CACHE FILEPATH
    "Extra CA file trusted for the OCR service")

# vt_config: the generated header with these settings, for the code that needs them.
configure_file(${CMAKE_CURRENT_LIST_DIR}/veltrace_config.h.in
               ${CMAKE_BINARY_DIR}/generated/veltrace_config.h @ONLY)
add_library(vt_config INTERFACE)
target_include_directories(vt_config INTERFACE ${CMAKE_BINARY_DIR}/generated)
