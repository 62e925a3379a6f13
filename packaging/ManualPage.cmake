# Makes one manual page: scdoc turns SOURCE into the roff page PAGE, and
# gzip -9n (no name, no time stamp, as Debian wants) compresses it to PAGE.gz.
# Run as cmake -DSCDOC=... -DSOURCE=... -DPAGE=... -P ManualPage.cmake.
execute_process(COMMAND ${SCDOC} INPUT_FILE ${SOURCE} OUTPUT_FILE ${PAGE} RESULT_VARIABLE scdoc_failed)
if(scdoc_failed)
  file(REMOVE ${PAGE})
  message(FATAL_ERROR "scdoc could not read ${SOURCE}")
endif()
execute_process(COMMAND gzip -9nc ${PAGE} OUTPUT_FILE ${PAGE}.gz RESULT_VARIABLE gzip_failed)
if(gzip_failed)
  message(FATAL_ERROR "gzip could not compress ${PAGE}")
endif()
