# The unhandled-fault filter and its report (filled in next).
