<?xml version="1.0" encoding="UTF-8"?>
<!-- Plan against reality, day by day over the reporting period: the time the
     plan books (start to end of each plan entry) against the time of the
     entries that were done (their task completed, or this occurrence of a
     recurring task marked done), both as shares of the regular working day,
     with week and period totals over their working days. Texts in braces come from the report texts. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
                xmlns:msxsl="urn:schemas-microsoft-com:xslt" exclude-result-prefixes="msxsl">
  <xsl:output method="html" indent="no"/>

  <xsl:param name="ReportingPeriodStart" select="0"/>
  <xsl:param name="ReportingPeriodEnd" select="0"/>
  <xsl:param name="StartOfWeek" select="2"/>
  <xsl:param name="RegularHours" select="8"/>

  <xsl:key name="day" match="DAILY/DAY" use="@DATE"/>
  <xsl:key name="task" match="TASK" use="@ID"/>
  <xsl:key name="done-occurrence" match="COMPLETEDPLAN" use="concat(../@ID, '/', @ID)"/>
  <xsl:key name="holiday" match="HOLIDAYS/HOLIDAY" use="@DATE"/>

  <xsl:variable name="from" select="floor(number($ReportingPeriodStart))"/>
  <xsl:variable name="to" select="floor(number($ReportingPeriodEnd))"/>
  <!-- 0 Sunday, 1 Monday: weekday numbers of (OLE day + 6) mod 7. -->
  <xsl:variable name="firstWeekday" select="number(number($StartOfWeek) != 1)"/>
  <xsl:variable name="regularMinutes" select="60 * number($RegularHours)"/>

  <!-- One D per day of the period: DAY (OLE day), WEEK (its week's first day),
       WORKDAY (1 for a working day: not a weekend day, not a holiday), COUNT,
       PLANNED and DONE (minutes). -->
  <xsl:variable name="summaryTree">
    <xsl:call-template name="days">
      <xsl:with-param name="first" select="$from"/>
      <xsl:with-param name="last" select="$to"/>
    </xsl:call-template>
  </xsl:variable>
  <xsl:variable name="summary" select="msxsl:node-set($summaryTree)/D"/>

  <xsl:template match="/">
    <HTML>
      <HEAD>
        <META NAME="Report" CONTENT="{ReportPlanAgainstReality}"/>
        <TITLE>{ReportPlanAgainstReality}</TITLE>
        <STYLE>
body { font-family: "Segoe UI", Tahoma, Arial, sans-serif; font-size: 10pt; color: #222; margin: 16px 24px; }
h1 { font-size: 16pt; font-weight: normal; margin: 0 0 4px 0; }
p.summary { color: #555; margin: 0 0 12px 0; }
table { border-collapse: collapse; }
th { text-align: left; background: #e8eef5; border-bottom: 1px solid #9fb3c8; padding: 3px 8px; font-weight: 600; }
td { border-bottom: 1px solid #e2e2e2; padding: 3px 8px; white-space: nowrap; }
td.number, th.number { text-align: right; }
tr.free td { background: #fafafa; color: #777; }
tr.week td { font-weight: 600; background: #f0f4f8; border-bottom: 1px solid #9fb3c8; }
tr.period td { font-weight: 600; background: #dfe8f1; border-top: 2px solid #1f4e79; }
td.bar { width: 220px; }
div.scale { position: relative; height: 12px; width: 200px; background: #eee; }
div.planned { position: absolute; left: 0; top: 0; height: 12px; background: #9fc5e8; }
div.done { position: absolute; left: 0; top: 3px; height: 6px; background: #38761d; }
div.regular { position: absolute; top: -2px; height: 16px; width: 1px; background: #b00020; }
        </STYLE>
      </HEAD>
      <BODY>
        <H1>{ReportPlanAgainstReality}</H1>
        <P class="summary">
          <xsl:text>{Period}: </xsl:text>
          <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$from"/></xsl:call-template>
          <xsl:value-of select="' – '"/>
          <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$to"/></xsl:call-template>
          <xsl:text>; {RegularDay}: </xsl:text>
          <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$regularMinutes"/></xsl:call-template>
          <xsl:text> {Hours}</xsl:text>
        </P>
        <TABLE>
          <TR>
            <TH>{Day}</TH>
            <TH class="number">{Entries}</TH>
            <TH class="number">{Planned}</TH>
            <TH class="number">{PlannedShare}</TH>
            <TH class="number">{Done}</TH>
            <TH class="number">{DoneShare}</TH>
            <TH class="number">{DoneOfPlanned}</TH>
            <TH class="number">{NotDone}</TH>
            <TH></TH>
          </TR>
          <xsl:for-each select="$summary">
            <xsl:variable name="weekday" select="(@DAY + 6) mod 7"/>
            <TR>
              <xsl:if test="@WORKDAY = 0">
                <xsl:attribute name="class">free</xsl:attribute>
              </xsl:if>
              <TD>
                <xsl:call-template name="weekday-name"><xsl:with-param name="weekday" select="$weekday"/></xsl:call-template>
                <xsl:value-of select="' '"/>
                <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="@DAY"/></xsl:call-template>
              </TD>
              <xsl:call-template name="figures">
                <xsl:with-param name="count" select="@COUNT"/>
                <xsl:with-param name="planned" select="@PLANNED"/>
                <xsl:with-param name="done" select="@DONE"/>
                <xsl:with-param name="workdays" select="1"/>
              </xsl:call-template>
            </TR>
            <xsl:if test="not(following-sibling::D[1]/@WEEK = @WEEK)">
              <xsl:variable name="week" select="../D[@WEEK = current()/@WEEK]"/>
              <TR class="week">
                <TD>
                  <xsl:text>{Week} </xsl:text>
                  <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="@WEEK"/></xsl:call-template>
                </TD>
                <xsl:call-template name="figures">
                  <xsl:with-param name="count" select="sum($week/@COUNT)"/>
                  <xsl:with-param name="planned" select="sum($week/@PLANNED)"/>
                  <xsl:with-param name="done" select="sum($week/@DONE)"/>
                  <xsl:with-param name="workdays" select="sum($week/@WORKDAY)"/>
                  <xsl:with-param name="bar" select="false()"/>
                </xsl:call-template>
              </TR>
            </xsl:if>
          </xsl:for-each>
          <TR class="period">
            <TD>{Total}</TD>
            <xsl:call-template name="figures">
              <xsl:with-param name="count" select="sum($summary/@COUNT)"/>
              <xsl:with-param name="planned" select="sum($summary/@PLANNED)"/>
              <xsl:with-param name="done" select="sum($summary/@DONE)"/>
              <xsl:with-param name="workdays" select="sum($summary/@WORKDAY)"/>
              <xsl:with-param name="bar" select="false()"/>
            </xsl:call-template>
          </TR>
        </TABLE>
      </BODY>
    </HTML>
  </xsl:template>

  <!-- The cells of one row; shares of the regular hours of that many working days. -->
  <xsl:template name="figures">
    <xsl:param name="count"/>
    <xsl:param name="planned"/>
    <xsl:param name="done"/>
    <xsl:param name="workdays"/>
    <xsl:param name="bar" select="true()"/>
    <xsl:variable name="regular" select="$regularMinutes * $workdays"/>
    <TD class="number"><xsl:value-of select="$count"/></TD>
    <TD class="number">
      <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$planned"/></xsl:call-template>
    </TD>
    <TD class="number"><xsl:if test="$regular > 0"><xsl:value-of select="format-number($planned div $regular, '0%')"/></xsl:if></TD>
    <TD class="number">
      <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$done"/></xsl:call-template>
    </TD>
    <TD class="number"><xsl:if test="$regular > 0"><xsl:value-of select="format-number($done div $regular, '0%')"/></xsl:if></TD>
    <TD class="number"><xsl:if test="$planned > 0"><xsl:value-of select="format-number($done div $planned, '0%')"/></xsl:if></TD>
    <TD class="number">
      <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$planned - $done"/></xsl:call-template>
    </TD>
    <TD class="bar">
      <xsl:if test="$bar and $regular > 0">
        <!-- The scale reaches one and a half regular days; the red line is the regular day. -->
        <xsl:variable name="scale" select="1.5 * $regular"/>
        <DIV class="scale">
          <DIV class="planned" style="width: {round(200 * (($planned > $scale) * $scale + ($planned &lt;= $scale) * $planned) div $scale)}px"></DIV>
          <DIV class="done" style="width: {round(200 * (($done > $scale) * $scale + ($done &lt;= $scale) * $done) div $scale)}px"></DIV>
          <DIV class="regular" style="left: 133px"></DIV>
        </DIV>
      </xsl:if>
    </TD>
  </xsl:template>

  <!-- Halving the range keeps the recursion shallow for long periods. -->
  <xsl:template name="days">
    <xsl:param name="first"/>
    <xsl:param name="last"/>
    <xsl:choose>
      <xsl:when test="$first > $last"/>
      <xsl:when test="$first = $last">
        <xsl:call-template name="day-summary"><xsl:with-param name="day" select="$first"/></xsl:call-template>
      </xsl:when>
      <xsl:otherwise>
        <xsl:variable name="middle" select="floor(($first + $last) div 2)"/>
        <xsl:call-template name="days">
          <xsl:with-param name="first" select="$first"/>
          <xsl:with-param name="last" select="$middle"/>
        </xsl:call-template>
        <xsl:call-template name="days">
          <xsl:with-param name="first" select="$middle + 1"/>
          <xsl:with-param name="last" select="$last"/>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="day-summary">
    <xsl:param name="day"/>
    <xsl:variable name="date">
      <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$day"/></xsl:call-template>
    </xsl:variable>
    <xsl:variable name="entries" select="key('day', $date)/PLANENTRY"/>
    <xsl:variable name="done"
                  select="$entries[key('task', @TASKID)/@STATUS = 2 or key('done-occurrence', concat(@TASKID, '/', @ID))]"/>
    <xsl:variable name="weekday" select="($day + 6) mod 7"/>
    <D DAY="{$day}" WEEK="{$day - ($weekday - $firstWeekday + 7) mod 7}" COUNT="{count($entries)}"
       WORKDAY="{number($weekday != 0 and $weekday != 6 and not(key('holiday', $day)))}">
      <xsl:attribute name="PLANNED">
        <xsl:call-template name="planned-minutes"><xsl:with-param name="entries" select="$entries"/></xsl:call-template>
      </xsl:attribute>
      <xsl:attribute name="DONE">
        <xsl:call-template name="planned-minutes"><xsl:with-param name="entries" select="$done"/></xsl:call-template>
      </xsl:attribute>
    </D>
  </xsl:template>

  <!-- The minutes the entries book: end minus start, none for an entry that ends before it starts. -->
  <xsl:template name="planned-minutes">
    <xsl:param name="entries"/>
    <xsl:param name="sum" select="0"/>
    <xsl:choose>
      <xsl:when test="not($entries)"><xsl:value-of select="$sum"/></xsl:when>
      <xsl:otherwise>
        <xsl:variable name="entry" select="$entries[1]"/>
        <xsl:variable name="length"
                      select="60 * substring-before($entry/@ENDTIME, ':') + substring-after($entry/@ENDTIME, ':')
                              - 60 * substring-before($entry/@STARTTIME, ':') - substring-after($entry/@STARTTIME, ':')"/>
        <xsl:call-template name="planned-minutes">
          <xsl:with-param name="entries" select="$entries[position() > 1]"/>
          <xsl:with-param name="sum" select="$sum + $length * number($length > 0)"/>
        </xsl:call-template>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The civil date of an OLE day number as "YYYY-MM-DD" (day 0 is 1899-12-30). -->
  <xsl:template name="date-of-day">
    <xsl:param name="day"/>
    <xsl:variable name="j" select="$day + 2415019"/>
    <xsl:variable name="f" select="$j + 1401 + floor(floor((4 * $j + 274277) div 146097) * 3 div 4) - 38"/>
    <xsl:variable name="e" select="4 * $f + 3"/>
    <xsl:variable name="h" select="5 * floor(($e mod 1461) div 4) + 2"/>
    <xsl:variable name="d" select="floor(($h mod 153) div 5) + 1"/>
    <xsl:variable name="m" select="(floor($h div 153) + 2) mod 12 + 1"/>
    <xsl:variable name="y" select="floor($e div 1461) - 4716 + floor((14 - $m) div 12)"/>
    <xsl:value-of select="concat(format-number($y, '0000'), '-', format-number($m, '00'), '-', format-number($d, '00'))"/>
  </xsl:template>

  <xsl:template name="weekday-name">
    <xsl:param name="weekday"/>
    <xsl:choose>
      <xsl:when test="$weekday = 0">{Sun}</xsl:when>
      <xsl:when test="$weekday = 1">{Mon}</xsl:when>
      <xsl:when test="$weekday = 2">{Tue}</xsl:when>
      <xsl:when test="$weekday = 3">{Wed}</xsl:when>
      <xsl:when test="$weekday = 4">{Thu}</xsl:when>
      <xsl:when test="$weekday = 5">{Fri}</xsl:when>
      <xsl:otherwise>{Sat}</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Minutes as "h:mm". -->
  <xsl:template name="duration">
    <xsl:param name="minutes"/>
    <xsl:value-of select="concat(floor($minutes div 60), ':', format-number($minutes mod 60, '00'))"/>
  </xsl:template>
</xsl:stylesheet>
