<?xml version="1.0" encoding="UTF-8"?>
<!-- The plan of each day of the reporting period, week by week. The period
     arrives as whole OLE day numbers; the plan stores days as "YYYY-MM-DD".
     Texts in braces come from the report texts. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:output method="html" indent="no"/>

  <xsl:param name="ReportingPeriodStart" select="0"/>
  <xsl:param name="ReportingPeriodEnd" select="0"/>
  <xsl:param name="StartOfWeek" select="2"/>
  <xsl:param name="Is24HoursFormat" select="1"/>
  <xsl:param name="RegularHours" select="8"/>

  <xsl:key name="day" match="DAILY/DAY" use="@DATE"/>
  <xsl:key name="task" match="TASK" use="@ID"/>
  <xsl:key name="done-occurrence" match="COMPLETEDPLAN" use="concat(../@ID, '/', @ID)"/>

  <xsl:variable name="from" select="floor(number($ReportingPeriodStart))"/>
  <xsl:variable name="to" select="floor(number($ReportingPeriodEnd))"/>
  <!-- 0 Sunday, 1 Monday: weekday numbers of (OLE day + 6) mod 7. -->
  <xsl:variable name="firstWeekday" select="number(number($StartOfWeek) != 1)"/>
  <xsl:variable name="regularMinutes" select="60 * number($RegularHours)"/>

  <xsl:template match="/">
    <HTML>
      <HEAD>
        <META NAME="Report" CONTENT="{ReportDailyPlan}"/>
        <TITLE>{ReportDailyPlan}</TITLE>
        <STYLE>
body { font-family: "Segoe UI", Tahoma, Arial, sans-serif; font-size: 10pt; color: #222; margin: 16px 24px; }
h1 { font-size: 16pt; font-weight: normal; margin: 0 0 4px 0; }
h2 { font-size: 12pt; font-weight: normal; margin: 22px 0 0 0; padding-bottom: 2px; border-bottom: 2px solid #1f4e79; color: #1f4e79; }
h3 { font-size: 10.5pt; margin: 12px 0 4px 0; }
h3 span.total { font-weight: normal; color: #555; margin-left: 12px; }
p.summary { color: #555; margin: 0 0 8px 0; }
p.empty { color: #888; margin: 2px 0 6px 0; font-style: italic; }
table { border-collapse: collapse; width: 100%; table-layout: fixed; }
th { text-align: left; background: #e8eef5; border-bottom: 1px solid #9fb3c8; padding: 3px 6px; font-weight: 600; }
td { border-bottom: 1px solid #e2e2e2; padding: 3px 6px; vertical-align: top; }
td.time, th.time { white-space: nowrap; width: 5em; }
td.mark { text-align: center; }
th.mark { width: 3.5em; text-align: center; }
th.task { width: 28%; }
th.path { width: 20%; }
td.path { color: #555; }
tr.done td.name { color: #888; text-decoration: line-through; }
        </STYLE>
      </HEAD>
      <BODY>
        <H1>{ReportDailyPlan}</H1>
        <P class="summary">
          <xsl:text>{Period}: </xsl:text>
          <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$from"/></xsl:call-template>
          <xsl:value-of select="' – '"/>
          <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$to"/></xsl:call-template>
          <xsl:text>; {RegularDay}: </xsl:text>
          <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$regularMinutes"/></xsl:call-template>
          <xsl:text> {Hours}</xsl:text>
        </P>
        <xsl:call-template name="days">
          <xsl:with-param name="first" select="$from"/>
          <xsl:with-param name="last" select="$to"/>
        </xsl:call-template>
      </BODY>
    </HTML>
  </xsl:template>

  <!-- Halving the range keeps the recursion shallow for long periods. -->
  <xsl:template name="days">
    <xsl:param name="first"/>
    <xsl:param name="last"/>
    <xsl:choose>
      <xsl:when test="$first > $last"/>
      <xsl:when test="$first = $last">
        <xsl:call-template name="day"><xsl:with-param name="day" select="$first"/></xsl:call-template>
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

  <xsl:template name="day">
    <xsl:param name="day"/>
    <xsl:variable name="weekday" select="($day + 6) mod 7"/>
    <xsl:if test="$day = $from or $weekday = $firstWeekday">
      <H2>
        <xsl:text>{Week} </xsl:text>
        <xsl:call-template name="date-of-day">
          <xsl:with-param name="day" select="$day - ($weekday - $firstWeekday + 7) mod 7"/>
        </xsl:call-template>
      </H2>
    </xsl:if>
    <xsl:variable name="date">
      <xsl:call-template name="date-of-day"><xsl:with-param name="day" select="$day"/></xsl:call-template>
    </xsl:variable>
    <xsl:variable name="entries" select="key('day', $date)/PLANENTRY"/>
    <xsl:variable name="minutes">
      <xsl:call-template name="planned-minutes"><xsl:with-param name="entries" select="$entries"/></xsl:call-template>
    </xsl:variable>
    <H3>
      <xsl:call-template name="weekday-name"><xsl:with-param name="weekday" select="$weekday"/></xsl:call-template>
      <xsl:value-of select="' '"/>
      <xsl:value-of select="$date"/>
      <xsl:if test="$entries">
        <SPAN class="total">
          <xsl:call-template name="duration"><xsl:with-param name="minutes" select="$minutes"/></xsl:call-template>
          <xsl:text> {Hours}</xsl:text>
          <xsl:if test="$regularMinutes > 0">
            <xsl:text>, </xsl:text>
            <xsl:value-of select="format-number($minutes div $regularMinutes, '0%')"/>
            <xsl:text> {PlannedOfRegular}</xsl:text>
          </xsl:if>
        </SPAN>
      </xsl:if>
    </H3>
    <xsl:choose>
      <xsl:when test="not($entries)">
        <P class="empty">{NothingPlanned}</P>
      </xsl:when>
      <xsl:otherwise>
        <TABLE>
          <TR>
            <TH class="time">{Start}</TH>
            <TH class="time">{End}</TH>
            <TH class="time">{Duration}</TH>
            <TH class="task">{Task}</TH>
            <TH class="path">{Category}</TH>
            <TH>{Description}</TH>
            <TH class="mark">{Fixed}</TH>
            <TH class="mark">{Done}</TH>
          </TR>
          <xsl:for-each select="$entries">
            <xsl:sort select="@STARTTIME"/>
            <xsl:variable name="task" select="key('task', @TASKID)"/>
            <xsl:variable name="done"
                          select="$task/@STATUS = 2 or count(key('done-occurrence', concat(@TASKID, '/', @ID))) > 0"/>
            <TR>
              <xsl:if test="$done"><xsl:attribute name="class">done</xsl:attribute></xsl:if>
              <TD class="time">
                <xsl:call-template name="time"><xsl:with-param name="text" select="@STARTTIME"/></xsl:call-template>
              </TD>
              <TD class="time">
                <xsl:call-template name="time"><xsl:with-param name="text" select="@ENDTIME"/></xsl:call-template>
              </TD>
              <TD class="time">
                <xsl:call-template name="duration">
                  <xsl:with-param name="minutes">
                    <xsl:call-template name="planned-minutes"><xsl:with-param name="entries" select="."/></xsl:call-template>
                  </xsl:with-param>
                </xsl:call-template>
              </TD>
              <TD class="name">
                <xsl:choose>
                  <xsl:when test="$task"><xsl:value-of select="$task/@NAME"/></xsl:when>
                  <xsl:otherwise>{TaskRemoved}</xsl:otherwise>
                </xsl:choose>
              </TD>
              <TD class="path">
                <xsl:for-each select="$task/ancestor::CATEGORY">
                  <xsl:if test="position() > 1"> / </xsl:if>
                  <xsl:value-of select="@NAME"/>
                </xsl:for-each>
              </TD>
              <TD><xsl:value-of select="DESCRIPTION"/></TD>
              <TD class="mark"><xsl:if test="@FIXEDTIME = 1">✓</xsl:if></TD>
              <TD class="mark"><xsl:if test="$done">✓</xsl:if></TD>
            </TR>
          </xsl:for-each>
        </TABLE>
      </xsl:otherwise>
    </xsl:choose>
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

  <!-- A stored "HH:MM" in the user's clock: as stored, or "h:MM am". -->
  <xsl:template name="time">
    <xsl:param name="text"/>
    <xsl:choose>
      <xsl:when test="number($Is24HoursFormat) = 1"><xsl:value-of select="$text"/></xsl:when>
      <xsl:otherwise>
        <xsl:variable name="hour" select="number(substring-before($text, ':'))"/>
        <xsl:value-of select="concat(($hour + 11) mod 12 + 1, ':', substring-after($text, ':'))"/>
        <xsl:choose>
          <xsl:when test="$hour &lt; 12"> {TimeAm}</xsl:when>
          <xsl:otherwise> {TimePm}</xsl:otherwise>
        </xsl:choose>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- Minutes as "h:mm". -->
  <xsl:template name="duration">
    <xsl:param name="minutes"/>
    <xsl:value-of select="concat(floor($minutes div 60), ':', format-number($minutes mod 60, '00'))"/>
  </xsl:template>
</xsl:stylesheet>
