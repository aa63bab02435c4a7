# The report page test reads its printed PDF back.
if(TARGET test_report_page)
  target_link_libraries(test_report_page PRIVATE Qt6::Pdf)
endif()
# The question view test reads its printed PDF back.
if(TARGET test_question_view)
  target_link_libraries(test_question_view PRIVATE Qt6::Pdf)
endif()
# The worked-solution test reads its printed PDF back.
if(TARGET test_working_view)
  target_link_libraries(test_working_view PRIVATE Qt6::Pdf)
endif()
