# cmake -DSOURCE=... -DTARGET=... -P copy_if_newer.cmake: copies SOURCE over TARGET only when
# TARGET is missing or older (IS_NEWER_THAN is also true for equal times, hence the turn).
if(NOT EXISTS "${TARGET}" OR NOT "${TARGET}" IS_NEWER_THAN "${SOURCE}")
  get_filename_component(_dir "${TARGET}" DIRECTORY)
  file(COPY "${SOURCE}" DESTINATION "${_dir}")
endif()
