' Scrivane's startup script: answers historical-data requests with a
' plausible, repeatable series, so a new installation serves charts at once.
' Replace GetHistorical with a routine that reads your own data source.

Function SymbolSeed(symbol)
    Dim i, seed
    seed = 7
    For i = 1 To Len(symbol)
        seed = (seed * 31 + Asc(Mid(symbol, i, 1))) Mod 9973
    Next
    SymbolSeed = seed
End Function

' "mm/dd/yyyy" as a date; anything else gives the fallback.
Function ParseDate(text, fallback)
    Dim parts
    parts = Split(text, "/")
    ParseDate = fallback
    If UBound(parts) = 2 Then
        If IsNumeric(parts(0)) And IsNumeric(parts(1)) And IsNumeric(parts(2)) Then
            ParseDate = DateSerial(CInt(parts(2)), CInt(parts(0)), CInt(parts(1)))
        End If
    End If
End Function

' Called for every request: symbol, type, interval, range1, range2 (dates as
' mm/dd/yyyy) and the chart's node name, all as text.
Sub GetHistorical(symbol, kind, interval, range1, range2, nodename)
    Dim first, last, current, seed, price, count, stepDays

    last = ParseDate(range2, Date)
    first = ParseDate(range1, DateAdd("m", -1, last))
    If first > last Then
        SetStatus "No data"
        Exit Sub
    End If

    stepDays = 1
    If LCase(interval) = "weekly" Then stepDays = 7
    If LCase(interval) = "monthly" Then stepDays = 30

    seed = SymbolSeed(UCase(symbol))
    price = 20 + (seed Mod 180)
    count = 0
    current = first
    Do While current <= last And count < 500
        If Weekday(current) <> vbSaturday And Weekday(current) <> vbSunday Then
            ' A gentle wave and a drift, the same for the same symbol and day.
            price = price * (1 + 0.004 * Sin((CLng(current) + seed) / 5) + 0.0005)
            AddDataEntry Month(current), Day(current), Year(current), 0, 0, 0, Int(price * 100 + 0.5) / 100
            count = count + 1
        End If
        current = DateAdd("d", stepDays, current)
    Loop

    If count = 0 Then
        SetStatus "No data"
        Exit Sub
    End If
    SetCurrent "symbol", UCase(symbol)
    SetCurrent "last", Int(price * 100 + 0.5) / 100
    SetStatus "ok"
    WriteLog "GetHistorical " & symbol & ": " & count & " entries for " & nodename
End Sub

' The toolbar's Test button runs this routine.
Sub Test()
    Dim reply
    WriteLog "Test: the script runs"
    GetHistorical "MSFT", "close", "daily", "01/01/2009", "01/31/2009", "Test"
End Sub
